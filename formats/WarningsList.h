// The list of a load's warnings on the SAMI and SubStation Alpha forms: a read-only view of
// its lines that lays out only the rows shown, so that tens of thousands appear at once.
#pragma once

#include <QListView>
#include <QString>

class QStringListModel;

class WarningsList : public QListView {
    Q_OBJECT
public:
    explicit WarningsList(QWidget* parent = nullptr);

    // The whole list as text, one warning a line ("\n" between lines).
    void setText(const QString& text);
    QString text() const;

protected:
    // The copy shortcut copies the selected lines.
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Rows;
    QStringListModel* lines_;
    Rows* rows_;
};
