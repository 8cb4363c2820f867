# Sourced by the Xvfb scripts: writes a division file with the program's 26
# fields and the given ROW elements, without a change log.
# Usage: write_divisions_file <file> <ROW elements>
write_divisions_file() {
    local fields='<FIELD attrname="id" fieldtype="i4"/><FIELD attrname="Ueberschrift" fieldtype="string" WIDTH="30"/><FIELD attrname="Klasse" fieldtype="string" required="true" WIDTH="30"/><FIELD attrname="Jahr" fieldtype="i4" required="true"/><FIELD attrname="10Klasse" fieldtype="boolean" required="true"/><FIELD attrname="Mannschaft" fieldtype="string" WIDTH="20"/>'
    local slot day
    for slot in 1A 1B 2A 2B 3A 3B 4A 4B 5A 5B; do
        fields+="<FIELD attrname=\"$slot\" fieldtype=\"string\" WIDTH=\"20\"/>"
    done
    for day in 1 2 3 4 5 6 7 8 4A 8A; do
        fields+="<FIELD attrname=\"${day}dat\" fieldtype=\"date\"/>"
    done
    printf '%s' "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>$fields</FIELDS><PARAMS/></METADATA><ROWDATA>$2</ROWDATA></DATAPACKET>" >"$1"
}
