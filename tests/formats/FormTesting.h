// Helpers for the format tests: filling a properties form's named controls, pressing its OK
// button, and reading the document back as entries.
#pragma once

#include "model/clsSubs.h"
#include "tests/support/Scripted.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace formtest {

template <class W> W* child(QDialog* f, const char* name) {
    W* w = f->findChild<W*>(QString::fromLatin1(name));
    if (!w) ADD_FAILURE() << "no control " << name << " on " << f->objectName().toStdString();
    return w;
}

inline void clickOk(QDialog* f) { QTest::mouseClick(child<QPushButton>(f, "btOk"), Qt::LeftButton); }

inline void setBox(QDialog* f, const char* name, const QString& text) {
    if (auto* e = child<QLineEdit>(f, name)) e->setText(text);
}

inline QString box(QDialog* f, const char* name) {
    auto* e = child<QLineEdit>(f, name);
    return e ? e->text() : QString();
}

// The next modal form is left as it stands and confirmed.
inline void expectFormOk() {
    Forms().expect([](QDialog* f) { clickOk(f); });
}

// Each entry as "in out text", with line breaks shown as "\r\n", so that failures print clearly.
inline std::string row(qint32 in, qint32 out, const QString& text) {
    return (QString::number(in) + u' ' + QString::number(out) + u' ' +
            QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")))
        .toStdString();
}

inline std::vector<std::string> entries(const clsSubs& s) {
    std::vector<std::string> v;
    for (int i = 0; i < s.count(); ++i) v.push_back(row(s.SubTimeIn(i), s.SubTimeOut(i), s.SubText(i)));
    return v;
}

} // namespace formtest
