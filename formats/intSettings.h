// A format's settings block: it holds the format's properties form, whose controls are the
// format's settings while the block lives. Nothing of it is stored on disk.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class intSettings {
public:
    virtual ~intSettings() = default;
    virtual void setForm(std::unique_ptr<QDialog> frm) = 0;
    virtual QDialog* getForm() const = 0;
    virtual QString getSettingName() const = 0;
};

// The block of one format, typed by its form class.
template <class Form> class SettingsOf : public intSettings {
public:
    explicit SettingsOf(QString name) : name_(std::move(name)), form_(std::make_unique<Form>()) {}
    void setForm(std::unique_ptr<QDialog> frm) override { form_ = std::move(frm); }
    QDialog* getForm() const override { return form_.get(); }
    QString getSettingName() const override { return name_; }

private:
    QString name_;
    std::unique_ptr<QDialog> form_;
};
