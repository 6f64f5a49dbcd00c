#include "formats/clsFileRAWFrm1.h"
#include "formats/FormatIO.h"
#include "platform/MsgBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kCRLF = QStringLiteral("\r\n");
const char* const kFieldNames[3] = {"Time In", "Time Out", "Text"};
const char* const kChoices[6] = {"Comma", "Newline (return)", "Other", "Colon", "Semicolon", "Tab"};
const QString kValues[6] = {QStringLiteral(","), kCRLF, QString(), QStringLiteral(":"), QStringLiteral(";"),
                            QStringLiteral("\t")};

// Whether d can stand inside a time as the times are written ("hh:mm:ss.mmm", a digit place
// also taking the "-" of a negative time).
bool occursInTimeText(const QString& d) {
    static const QString shape = QStringLiteral("00:00:00.000");
    for (qsizetype at = 0; !d.isEmpty() && at + d.size() <= shape.size(); ++at) {
        bool fits = true;
        for (qsizetype k = 0; fits && k < d.size(); ++k) {
            const QChar place = shape.at(at + k), c = d.at(k);
            fits = place == u'0' ? (c >= u'0' && c <= u'9') || c == u'-' : c == place;
        }
        if (fits) return true;
    }
    return false;
}

// A field's value as it is written.
QString written(const std::array<QString, 3>& record, RawField field, const QString& nlc) {
    return field == rfText ? JoinBreaks(record[field], nlc) : record[field];
}

// Whether reading would end the value before its end at d, the delimiter written after it: the
// value holds d (in any case, as the reader matches), or its end and d's start spell d.
bool cutAt(const QString& value, const QString& d) {
    return (value + d).indexOf(d, 0, Qt::CaseInsensitive) != value.size();
}

QListWidgetItem* fieldItem(int field) {
    auto* item = new QListWidgetItem(QString::fromLatin1(kFieldNames[field]));
    item->setData(Qt::UserRole, field);
    return item;
}
} // namespace

clsFileRAWFrm1::clsFileRAWFrm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileRAWFrm1"));
    setWindowTitle(QStringLiteral("Raw Text options"));

    lstFields = new QListWidget(this);
    lstFields->setObjectName(QStringLiteral("lstFields"));
    lstSel = new QListWidget(this);
    lstSel->setObjectName(QStringLiteral("lstSel"));
    for (int f = 0; f < 3; ++f) lstSel->addItem(fieldItem(f));
    for (QListWidget* l : {lstFields, lstSel}) l->setMaximumHeight(80);
    auto named = [this](QPushButton* b, const char* name) {
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    btAdd = named(new QPushButton(QStringLiteral("Add >"), this), "btAdd");
    btRemove = named(new QPushButton(QStringLiteral("< Remove"), this), "btRemove");
    btMoveUp = named(new QPushButton(QStringLiteral("Up"), this), "btMoveUp");
    btMoveDown = named(new QPushButton(QStringLiteral("Down"), this), "btMoveDown");
    auto* fieldGrid = new QGridLayout;
    fieldGrid->addWidget(new QLabel(QStringLiteral("Possible fields:"), this), 0, 0);
    fieldGrid->addWidget(new QLabel(QStringLiteral("Selected fields:"), this), 0, 2);
    fieldGrid->addWidget(lstFields, 1, 0, 2, 1);
    fieldGrid->addWidget(btAdd, 1, 1);
    fieldGrid->addWidget(btRemove, 2, 1);
    fieldGrid->addWidget(lstSel, 1, 2, 2, 1);
    fieldGrid->addWidget(btMoveUp, 1, 3);
    fieldGrid->addWidget(btMoveDown, 2, 3);

    auto* groups = new QHBoxLayout;
    const char* titles[2] = {"Field Delimiter ", "Line Delimiter "};
    for (int g = 0; g < 2; ++g) {
        // Each group box makes its six options exclusive of each other.
        auto* box = new QGroupBox(QString::fromLatin1(titles[g]), this);
        auto* grid = new QGridLayout(box);
        for (int k = 0; k < 6; ++k) {
            auto* o = new QRadioButton(QString::fromLatin1(kChoices[k]), box);
            o->setObjectName(QStringLiteral("optDel_%1").arg(g * 6 + k));
            optDel[g * 6 + k] = o;
            grid->addWidget(o, k % 3, k / 3 * 2);
            connect(o, &QRadioButton::toggled, this, &clsFileRAWFrm1::layout_Change);
        }
        txtDel[g] = new QLineEdit(box);
        txtDel[g]->setObjectName(QStringLiteral("txtDel_%1").arg(g));
        txtDel[g]->setMaximumWidth(50);
        grid->addWidget(txtDel[g], 2, 1);
        connect(txtDel[g], &QLineEdit::textEdited, this, [this, g] { optDel[g * 6 + 2]->setChecked(true); });
        connect(txtDel[g], &QLineEdit::textChanged, this, &clsFileRAWFrm1::layout_Change);
        groups->addWidget(box);
    }
    optDel[5]->setChecked(true);
    optDel[7]->setChecked(true);

    txtNLC = new QLineEdit(QStringLiteral("<br>"), this);
    txtNLC->setObjectName(QStringLiteral("txtNLC"));
    txtNLC->setMaximumWidth(80);
    auto* nlc = new QHBoxLayout;
    nlc->addWidget(new QLabel(QStringLiteral("Character for newline:"), this));
    nlc->addWidget(txtNLC);
    nlc->addStretch();

    prev = new RawPreview(this);
    prev->setObjectName(QStringLiteral("prev"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldGrid);
    layout->addLayout(groups);
    layout->addLayout(nlc);
    layout->addWidget(prev);
    layout->addLayout(buttons);

    connect(btAdd, &QPushButton::clicked, this, &clsFileRAWFrm1::btAdd_Click);
    connect(btRemove, &QPushButton::clicked, this, &clsFileRAWFrm1::btRemove_Click);
    connect(btMoveUp, &QPushButton::clicked, this, &clsFileRAWFrm1::btMoveUp_Click);
    connect(btMoveDown, &QPushButton::clicked, this, &clsFileRAWFrm1::btMoveDown_Click);
    connect(txtNLC, &QLineEdit::textChanged, this, &clsFileRAWFrm1::layout_Change);
}

std::vector<RawField> clsFileRAWFrm1::fields() const {
    std::vector<RawField> f;
    for (int i = 0; i < lstSel->count(); ++i)
        f.push_back(static_cast<RawField>(lstSel->item(i)->data(Qt::UserRole).toInt()));
    return f;
}

QString clsFileRAWFrm1::delimiter(int group) const {
    for (int k = 0; k < 6; ++k)
        if (optDel[group * 6 + k]->isChecked()) return k == 2 ? txtDel[group]->text() : kValues[k];
    return QString();
}

QString clsFileRAWFrm1::NewLineText() const { return txtNLC->text(); }

bool clsFileRAWFrm1::DelimitersFit() const {
    bool times = false, text = false;
    for (RawField f : fields()) (f == rfText ? text : times) = true;
    const QString nlc = NewLineText();
    const char* const groups[2] = {"field", "line"};
    for (int g = 0; g < 2; ++g) {
        const QString d = delimiter(g);
        if (times && occursInTimeText(d)) {
            MsgBox(QStringLiteral("The %1 delimiter \"%2\" occurs in the times (hh:mm:ss.mmm) and would split them. "
                                  "Please choose another delimiter.")
                       .arg(QString::fromLatin1(groups[g]), d),
                   vb::Exclamation);
            return false;
        }
        if (text && !d.isEmpty() && nlc.contains(d, Qt::CaseInsensitive)) {
            MsgBox(QStringLiteral("The character for newline \"%1\" holds the %2 delimiter \"%3\" and would split "
                                  "the texts. Please choose another character for newline or delimiter.")
                       .arg(nlc, QString::fromLatin1(groups[g]), d),
                   vb::Exclamation);
            return false;
        }
    }
    return true;
}

bool clsFileRAWFrm1::validate() { return DelimitersFit(); }

QString clsFileRAWFrm1::Compose(const std::vector<std::array<QString, 3>>& records, const std::vector<RawField>& fields,
                                const QString& fd, const QString& rd, const QString& nlc) {
    QString out;
    for (size_t r = 0; r < records.size(); ++r) {
        if (r > 0) out += rd;
        for (size_t k = 0; k < fields.size(); ++k) {
            if (k > 0) out += fd;
            out += written(records[r], fields[k], nlc);
        }
    }
    return out;
}

int clsFileRAWFrm1::FirstSplitText(const std::vector<std::array<QString, 3>>& records,
                                   const std::vector<RawField>& fields, const QString& fd, const QString& rd,
                                   const QString& nlc, bool& byRecord) {
    for (size_t r = 0; r < records.size(); ++r)
        for (size_t k = 0; k < fields.size(); ++k) {
            // The last field of a record ends at the record delimiter, any other at the field one.
            byRecord = k + 1 == fields.size();
            if (fields[k] == rfText && cutAt(written(records[r], rfText, nlc), byRecord ? rd : fd))
                return static_cast<int>(r);
        }
    return -1;
}

void clsFileRAWFrm1::btAdd_Click() {
    const int row = lstFields->currentRow();
    if (row < 0 || !lstFields->currentItem()->isSelected()) return;
    lstSel->addItem(lstFields->takeItem(row));
    layout_Change();
}

void clsFileRAWFrm1::btRemove_Click() {
    const int row = lstSel->currentRow();
    if (row < 0 || !lstSel->currentItem()->isSelected()) return;
    lstFields->addItem(lstSel->takeItem(row));
    layout_Change();
}

void clsFileRAWFrm1::moveSel(int by) {
    const int row = lstSel->currentRow();
    const int to = row + by;
    if (row < 0 || !lstSel->currentItem()->isSelected() || to < 0 || to >= lstSel->count()) return;
    lstSel->insertItem(to, lstSel->takeItem(row));
    lstSel->setCurrentRow(to);
    layout_Change();
}

void clsFileRAWFrm1::btMoveUp_Click() { moveSel(-1); }
void clsFileRAWFrm1::btMoveDown_Click() { moveSel(1); }

void clsFileRAWFrm1::layout_Change() {
    if (prev) prev->refresh(); // not yet while the form builds itself
}

RawPreview::RawPreview(clsFileRAWFrm1* form) : QWidget(form), form_(form) {
    setMinimumSize(360, 110);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void RawPreview::refresh() {
    quit_ = false;
    update();
}

void RawPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont f = font();
    if (quit_) {
        f.setPointSize(50);
        painter.setFont(f);
        painter.setPen(Qt::red);
        painter.drawText(rect().adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("QUIT IT!"));
        return;
    }
    static const std::vector<std::array<QString, 3>> samples = {
        {QStringLiteral("00:00:01,500"), QStringLiteral("00:00:02,200"), QStringLiteral("This is the first line")},
        {QStringLiteral("00:00:02,700"), QStringLiteral("00:00:03,100"),
         QStringLiteral("I'm the second,\r\nand I'm on two lines")},
        {QStringLiteral("00:00:03,900"), QStringLiteral("00:00:04,000"), QStringLiteral("Me is three")},
        {QStringLiteral("00:00:10,125"), QStringLiteral("00:00:11,526"), QStringLiteral("three's a croud")},
        {QStringLiteral("00:00:15,700"), QStringLiteral("00:00:21,230"), QStringLiteral("No it isn't!\r\nFour is!")}};
    const QString text = clsFileRAWFrm1::Compose(samples, form_->fields(), form_->FieldDelimiter(),
                                                 form_->RecordDelimiter(), form_->NewLineText());
    f.setPointSize(8);
    painter.setFont(f);
    painter.setPen(Qt::black);
    painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs,
                     QString(text).replace(kCRLF, QStringLiteral("\n")));
}

void RawPreview::mousePressEvent(QMouseEvent*) {
    if (++clicks_ > 10) {
        quit_ = true;
        update();
    }
}
