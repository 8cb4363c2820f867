#pragma once
// An edit field showing one field of the current row. Typing into it while
// the table browses starts an edit (through the data source's AutoEdit);
// the text goes back into the field at every post and when the field is left.
#include "ui/controls/DataSource.h"

#include <QLineEdit>
#include <functional>
#include <string>

class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& name);
    // Locks the editor even while its table edits.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // How the field's text is shown, when the field stores another form
    // than the user reads (blocked dates); the typed text goes into the
    // field as it stands, for the table's check to convert.
    std::function<std::string(const std::string&)> ShowText;

    TField* Field() const;
    // The user changed the text since the field was last read.
    bool InputChanged() const { return changed_; }
    // Reads the field again, dropping what was typed.
    void Reset();
    // Writes a changed text into the field. On failure (an unreadable date,
    // a character the file cannot hold) the editor keeps the focus with its
    // text selected and rethrows.
    void UpdateRecord();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Notify(TTableNotice notice, TField* field);
    void UpdateEditState();
    void UpdateAlignment();
    bool AskEdit();

    TDataLink link_;
    std::string dataField_;
    bool readOnly_ = false;
    bool changed_ = false;
    bool focused_ = false;
};

// Characters typed into a field of that type that the field accepts.
bool FieldAcceptsChar(TColumnType type, QChar c);

// An edit bound to a field of the source, placed and in that font.
TDBEdit* MakeDBEdit(QWidget* parent, TDataSource* source, const char* field, QRect place,
                    const QFont& font);
