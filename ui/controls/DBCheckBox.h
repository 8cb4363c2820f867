#pragma once
// A check box on a boolean field: checked for true, unchecked for false,
// greyed for an empty field. A click first asks the data source to edit.
#include "ui/controls/DataSource.h"

#include <QCheckBox>
#include <string>

class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& name);
    // Texts for a text field; a boolean field ignores them. Windows-1252.
    const std::string& ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const std::string& text) { valueChecked_ = text; }
    const std::string& ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const std::string& text) { valueUnchecked_ = text; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    TField* Field() const;
    bool InputChanged() const { return changed_; }
    void Reset();
    void UpdateRecord();

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Notify(TTableNotice notice, TField* field);
    bool AskEdit();

    TDataLink link_;
    std::string dataField_;
    std::string valueChecked_ = "True";
    std::string valueUnchecked_ = "False";
    bool readOnly_ = false;
    bool changed_ = false;
    bool focused_ = false;
};
