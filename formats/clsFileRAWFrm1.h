// Properties form of raw text files: which fields a record holds and in what order, the field
// and record delimiters, and the text that stands for a line break, with a live preview.
#pragma once

#include "formats/FormatForm.h"

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The fields of a record, as the data values of the field lists.
enum RawField { rfTimeIn = 0, rfTimeOut = 1, rfText = 2 };

class clsFileRAWFrm1;

// The preview of five sample records in the form's current layout.
class RawPreview : public QWidget {
    Q_OBJECT
public:
    explicit RawPreview(clsFileRAWFrm1* form);
    int clicks() const { return clicks_; }
    // A change of the layout redraws the samples.
    void refresh();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    clsFileRAWFrm1* form_;
    int clicks_ = 0;
    bool quit_ = false;
};

class clsFileRAWFrm1 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileRAWFrm1(QWidget* parent = nullptr);

    QListWidget* lstFields;
    QListWidget* lstSel;
    QPushButton* btAdd;
    QPushButton* btRemove;
    QPushButton* btMoveUp;
    QPushButton* btMoveDown;
    std::array<QRadioButton*, 12> optDel; // 0-5 field delimiter, 6-11 record delimiter
    std::array<QLineEdit*, 2> txtDel;     // "Other" of each group
    QLineEdit* txtNLC;
    RawPreview* prev = nullptr;

    // The selected fields in file order.
    std::vector<RawField> fields() const;
    QString FieldDelimiter() const { return delimiter(0); }
    QString RecordDelimiter() const { return delimiter(1); }
    QString NewLineText() const;
    // False after telling the user when a delimiter occurs in the text that a selected field is
    // written as (the colon of the times, the line-break text): reading would split that field.
    bool DelimitersFit() const;

    // Records in the given layout: fields joined by fd, records by rd, text breaks as nlc.
    // Each record holds its three field values indexed by RawField.
    static QString Compose(const std::vector<std::array<QString, 3>>& records, const std::vector<RawField>& fields,
                           const QString& fd, const QString& rd, const QString& nlc);
    // The first record whose text, written in this layout, would be cut at a delimiter on
    // reading (-1 for none); byRecord tells whether that is rd rather than fd.
    static int FirstSplitText(const std::vector<std::array<QString, 3>>& records, const std::vector<RawField>& fields,
                              const QString& fd, const QString& rd, const QString& nlc, bool& byRecord);

protected:
    bool validate() override;

private slots:
    void btAdd_Click();
    void btRemove_Click();
    void btMoveUp_Click();
    void btMoveDown_Click();
    void layout_Change();

private:
    QString delimiter(int group) const;
    void moveSel(int by);
};
