// Typed text on its way into a field: what Windows-1252 holds is stored byte
// for byte, everything else is refused with a message and stores nothing.
#include "data/file/Cp1252.h"
#include "test_RecordTableSupport.h"

namespace {

std::string Printable(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, unit < 0x80 && unit >= 0x20 ? "%c" : "<%04X>",
                      static_cast<unsigned>(unit));
        out += hex;
    }
    return out;
}

std::string Refusal(const std::string& shown, int position) {
    return "Das Zeichen " + shown + " an Stelle " + std::to_string(position) +
           " kann in den Staffeldaten nicht gespeichert werden.";
}

TEST(FieldTextRefusal, StoresWhatTheFileHoldsAndRefusesTheRest) {
    const std::u16string emoji = u"Team \U0001F3F8";
    const struct {
        std::u16string Typed;
        std::string Stored; // Windows-1252, when taken
        std::string Error;  // when refused
    } cases[] = {
        {u"Bezirksliga A ?", "Bezirksliga A ?", ""},
        {u"Süd Öl Maß",
         "S\xFC"
         "d \xD6l Ma\xDF",
         ""},
        {u"€ 5 – „x“ Œ Ÿ ÿ", "\x80 5 \x96 \x84x\x93 \x8C \x9F \xFF", ""},
        {u"\u00A0\u00AD", "\xA0\xAD", ""},
        {u"ł", "", Refusal("\xC2\xBB\xC5\x82\xC2\xAB (U+0142)", 1)},
        {u"Łódź-Liga", "", Refusal("\xC2\xBB\xC5\x81\xC2\xAB (U+0141)", 1)},
        {u"Lodz\u0301", "", Refusal("\xC2\xBB\xCC\x81\xC2\xAB (U+0301)", 5)},
        // A surrogate pair is one character; what follows it counts on by one.
        {emoji, "", Refusal("\xC2\xBB\xF0\x9F\x8F\xB8\xC2\xAB (U+1F3F8)", 6)},
        {u"\u00DF\U0001F3F8", "", Refusal("\xC2\xBB\xF0\x9F\x8F\xB8\xC2\xAB (U+1F3F8)", 2)},
        {std::u16string(u"a") + char16_t(0xD800) + u"b", "", Refusal("U+D800", 2)},
        {std::u16string(u"ab") + char16_t(0xDC00), "", Refusal("U+DC00", 3)},
        {u"x\u200By", "", Refusal("U+200B", 2)},
        // C0 controls, tab and line breaks included.
        {std::u16string(u"a\0b", 3), "", Refusal("U+0000", 2)},
        {u"\u0001", "", Refusal("U+0001", 1)},
        {u"A\tB", "", Refusal("U+0009", 2)},
        {u"A\r\nB", "", Refusal("U+000D", 2)},
        {u"A\nB", "", Refusal("U+000A", 2)},
        {u"\u001F", "", Refusal("U+001F", 1)},
        // DEL and the C1 controls, among them the five code points that
        // Windows-1252 leaves undefined.
        {u"x\u007F", "", Refusal("U+007F", 2)},
        {u"\u0080", "", Refusal("U+0080", 1)},
        {u"\u0081", "", Refusal("U+0081", 1)},
        {u"\u008D", "", Refusal("U+008D", 1)},
        {u"\u008F", "", Refusal("U+008F", 1)},
        {u"\u0090", "", Refusal("U+0090", 1)},
        {u"\u009D", "", Refusal("U+009D", 1)},
        {u"\u009F", "", Refusal("U+009F", 1)},
    };
    for (const auto& c : cases) {
        TRecordTable table("t_test");
        table.DefineField("Klasse", ctText, 30, false);
        table.CreateEmpty();
        table.Insert();
        table.Field("Klasse").SetAsText("alt");
        const std::string error =
            ErrorOf([&] { table.Field("Klasse").SetAsText(FieldTextFromUtf16(c.Typed)); });
        EXPECT_EQ(error, c.Error) << Printable(c.Typed);
        EXPECT_EQ(table.Field("Klasse").AsText(), c.Error.empty() ? c.Stored : "alt")
            << Printable(c.Typed);
        EXPECT_EQ(FindUnstorableChar(c.Typed).has_value(), !c.Error.empty()) << Printable(c.Typed);
    }
}

TEST(FieldTextRefusal, WriterRefusesControlBytesThatAreNoXmlCharacters) {
    for (int b = 0; b < 256; ++b) {
        const std::string text = std::string("ab") + static_cast<char>(b);
        const bool refused = b < 0x20 && b != '\t' && b != '\n' && b != '\r';
        const auto found = FindUnwritableByte(text);
        EXPECT_EQ(found.has_value(), refused) << "byte " << b;
        if (found)
            EXPECT_EQ(*found, (TUnstorableChar{static_cast<char32_t>(b), 3})) << "byte " << b;
    }
    EXPECT_EQ(ErrorOf([] { CheckWritableText("Kreis\x01liga \xFC"); }),
              "Das Zeichen U+0001 an Stelle 6 in \xC2\xBBKreis\xEF\xBF\xBDliga \xC3\xBC\xC2\xAB "
              "kann in den Staffeldaten nicht gespeichert werden.");
}

} // namespace
