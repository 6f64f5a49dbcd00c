#include "controls/TimeText.h"
#include "model/Common.h"
#include "model/Num.h"
#include "platform/Colors.h"
#include "platform/Desktop.h"

#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>

namespace {
constexpr int kTwoDigits = 13;
constexpr int kSeparator = 3;

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool isModifierOrTab(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    default: return false;
    }
}

// Sets the text only when it differs: setText moves the caret.
void putText(QLineEdit* e, const QString& s) {
    if (e->text() != s) e->setText(s);
}

// A field's value wraps on the rounded whole number; the remainder keeps the sign, so a typed
// negative becomes 0 below rather than wrapping round ("-5" seconds is 0, not 55).
qint64 wholeMod(double v, qint64 m) { return static_cast<qint64>(RoundHalfEven(v)) % m; }
} // namespace

QFont TimeText::FieldFont(const QFont& base) {
    QFont f = base;
    for (int px = 12; px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(QStringLiteral("00")) <= kTwoDigits) break;
    }
    return f;
}

TimeText::TimeText(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TimeText"));
    setFont(FieldFont(font()));
    foreColor_ = SystemColor(SysColor::WindowText);
    backColor_ = SystemColor(SysColor::Window);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setFrameShadow(QFrame::Sunken);
    Picture1->installEventFilter(this);

    auto makeField = [this](const char* name, const QString& start) {
        auto* e = new QLineEdit(start, Picture1);
        e->setObjectName(QString::fromLatin1(name));
        e->setFrame(false);
        // A line edit keeps two pixels of its own on each side; take them back so that the
        // digits sit on the control's 16-pixel grid.
        e->setTextMargins(-2, 0, -2, 0);
        e->setContentsMargins(0, 0, 0, 0);
        e->setContextMenuPolicy(Qt::PreventContextMenu);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this] { dirty_ = true; });
        return e;
    };
    txtHr = makeField("txtHr", QStringLiteral("00"));
    txtMin = makeField("txtMin", QStringLiteral("00"));
    txtSec = makeField("txtSec", QStringLiteral("00"));
    txtMSec = makeField("txtMSec", QStringLiteral("000"));

    auto makeLabel = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, Picture1);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        l->setMargin(0);
        l->setAutoFillBackground(true);
        l->installEventFilter(this);
        return l;
    };
    Label1 = makeLabel("Label1", QStringLiteral(":"));
    Label2 = makeLabel("Label2", QStringLiteral(":"));
    Label3 = makeLabel("Label3", QStringLiteral("."));

    mnuEdit = new QMenu(QStringLiteral("Edit"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuCopy = mnuEdit->addAction(QStringLiteral("Copy"));
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuPaste = mnuEdit->addAction(QStringLiteral("Paste"));
    mnuPaste->setObjectName(QStringLiteral("mnuPaste"));
    connect(mnuCopy, &QAction::triggered, this, &TimeText::Copy);
    connect(mnuPaste, &QAction::triggered, this, &TimeText::Paste);

    setFocusProxy(txtHr);
    applyColors();
    resize(75, 15);
}

QLineEdit* TimeText::field(int i) const {
    switch (i) {
    case 1: return txtHr;
    case 2: return txtMin;
    case 3: return txtSec;
    case 4: return txtMSec;
    default: return nullptr;
    }
}

int TimeText::fieldOf(QObject* o) const {
    for (int i = 1; i <= 4; ++i)
        if (field(i) == o) return i;
    return 0;
}

void TimeText::placeFields() {
    const QFontMetrics fm(font());
    const int msW = std::max(kTwoDigits + 6, fm.horizontalAdvance(QStringLiteral("000")) + 1);
    const int groupW = 3 * FieldStep + msW;
    const int h = std::min(height(), fm.height() + 1);
    Picture1->setGeometry(rect());
    const QRect inner = Picture1->contentsRect();
    const int x0 = inner.x() + (inner.width() - groupW) / 2;
    const int y0 = inner.y() + (inner.height() - h) / 2;
    txtHr->setGeometry(x0, y0, kTwoDigits, h);
    txtMin->setGeometry(x0 + FieldStep, y0, kTwoDigits, h);
    txtSec->setGeometry(x0 + 2 * FieldStep, y0, kTwoDigits, h);
    txtMSec->setGeometry(x0 + 3 * FieldStep, y0, msW, h);
    Label1->setGeometry(x0 + kTwoDigits, y0, kSeparator, h);
    Label2->setGeometry(x0 + FieldStep + kTwoDigits, y0, kSeparator, h);
    Label3->setGeometry(x0 + 2 * FieldStep + kTwoDigits, y0, kSeparator, h);
}

void TimeText::resizeEvent(QResizeEvent*) { placeFields(); }

void TimeText::applyColors() {
    QPalette surface = Picture1->palette();
    surface.setColor(QPalette::Window, backColor_);
    Picture1->setPalette(surface);
    for (int i = 1; i <= 4; ++i) {
        QPalette p = field(i)->palette();
        p.setColor(QPalette::Base, backColor_);
        p.setColor(QPalette::Text, foreColor_);
        field(i)->setPalette(p);
    }
    for (QLabel* l : {Label1, Label2, Label3}) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, backColor_);
        p.setColor(QPalette::WindowText, foreColor_);
        l->setPalette(p);
    }
}

void TimeText::setForeColor(const QColor& c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    applyColors();
}

void TimeText::setBackColor(const QColor& c) {
    backColor_ = c;
    applyColors();
}

void TimeText::setBorderStyle(int style) {
    Picture1->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    placeFields();
}

void TimeText::setStyle3D(bool b) {
    Picture1->setFrameShadow(b ? QFrame::Sunken : QFrame::Plain);
    QPalette p = Picture1->palette();
    p.setColor(QPalette::Window, SystemColor(SysColor::Window));
    Picture1->setPalette(p);
}

bool TimeText::Enabled() const { return txtHr->isEnabled(); }

void TimeText::setEnabled(bool b) {
    for (int i = 1; i <= 4; ++i) field(i)->setEnabled(b);
}

void TimeText::setlTime(qint32 v) {
    lTime_ = v;
    Show();
}

void TimeText::Show() {
    const qint64 t = lTime_;
    putText(txtMSec, PadZeros(t % 1000, 3));
    putText(txtSec, PadZeros((t / 1000) % 60, 2));
    putText(txtMin, PadZeros((t / 60000) % 60, 2));
    putText(txtHr, PadZeros(t / 3600000, 2));
    dirty_ = false;
}

void TimeText::Commit() {
    // A focus passing through must not rewrite a value the user never touched (a negative
    // time or one of 100 hours or more would not survive the round trip through the fields).
    if (!dirty_) return;
    dirty_ = false;
    qint64 parts[5] = {};
    for (int i = 1; i <= 4; ++i) {
        const int n = i == 4 ? 3 : 2;
        QString s = field(i)->text();
        if (s.size() > n) s = s.right(n);
        const double v = Val(s);
        qint64 r = 0;
        if (i == 1) r = static_cast<qint64>(RoundHalfEven(v));
        else r = wholeMod(v, i == 4 ? 1000 : 60);
        if (r < 0) r = 0;
        parts[i] = r;
        putText(field(i), PadZeros(r, n));
    }
    const qint64 t = ((parts[1] * 60 + parts[2]) * 60 + parts[3]) * 1000 + parts[4];
    if (t == lTime_) return;
    lTime_ = static_cast<qint32>(t);
    emit Change(lTime_);
}

void TimeText::EnterField(int i) {
    QLineEdit* e = field(i);
    if (!e) return;
    cField_ = i;
    e->setFocus(Qt::OtherFocusReason);
    e->selectAll();
}

void TimeText::ClickIt(int x) {
    if (x < 0) return;
    if (x < FieldStep) EnterField(1);
    else if (x < 2 * FieldStep) EnterField(2);
    else if (x < 3 * FieldStep) EnterField(3);
    else EnterField(4);
}

void TimeText::Copy() { SetClipboardText(FormatTime(lTime_)); }

void TimeText::Paste() {
    static const QRegularExpression timeText(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"));
    const QString text = ClipboardText().trimmed();
    if (!timeText.match(text).hasMatch()) {
        Beep();
        return;
    }
    lTime_ = ParseTime(text);
    Show();
    emit Change(lTime_);
}

void TimeText::rightPress() {
    emit RightClick();
    if (txtHr->isEnabled()) PopupMenu(mnuEdit, QCursor::pos());
}

void TimeText::fieldKeyUp(int f, int key) {
    switch (key) {
    case Qt::Key_Backspace:
        if (f == 4) {
            if (txtMSec->text().size() >= 3) {
                Commit();
                txtMSec->selectAll();
            }
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (f < 4) {
            EnterField(f + 1);
        } else {
            EnterField(4);
            emit PressEnter();
        }
        break;
    case Qt::Key_Home:
    case Qt::Key_End: EnterField(f); break;
    case Qt::Key_Left:
        if (f == 1) {
            EnterField(1);
            emit PressLeft();
        } else {
            EnterField(f - 1);
        }
        break;
    case Qt::Key_Right:
        if (f < 4) {
            EnterField(f + 1);
        } else {
            EnterField(4);
            emit PressRight();
        }
        break;
    case Qt::Key_Up:
        EnterField(f);
        emit PressUp();
        break;
    case Qt::Key_Down:
        EnterField(f);
        emit PressDown();
        break;
    default:
        if (isModifierOrTab(key)) break;
        if (f < 4) {
            if (field(f)->text().size() == 1) return;
            EnterField(f + 1);
        } else if (txtMSec->text().size() >= 3) {
            Commit();
            txtMSec->selectAll();
        }
        break;
    }
    emit KeyUp(key);
}

bool TimeText::eventFilter(QObject* watched, QEvent* event) {
    const int f = fieldOf(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!f) break;
        auto* k = static_cast<QKeyEvent*>(event);
        const bool vertical = k->key() == Qt::Key_Up || k->key() == Qt::Key_Down;
        // Held arrows repeat at the host's own pace, not the keyboard's.
        if (vertical && k->isAutoRepeat()) return true;
        emit KeyDown(k->key());
        if (isEnterKey(k->key()) || vertical) return true;
        break;
    }
    case QEvent::KeyRelease: {
        if (!f) break;
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->isAutoRepeat()) return true;
        fieldKeyUp(f, k->key());
        return true;
    }
    case QEvent::FocusIn:
        if (f) cField_ = f;
        break;
    case QEvent::FocusOut:
        if (f) Commit();
        break;
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::RightButton) {
            rightPress();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (f && m->button() == Qt::LeftButton) {
            // Let the edit finish its own release first, then take the whole field.
            static_cast<QLineEdit*>(watched)->event(event);
            static_cast<QLineEdit*>(watched)->selectAll();
            return true;
        }
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}
