// The association program's one window: a list of subtitle extensions to associate with the
// editor in a given program folder.
#pragma once

#include <QWidget>

namespace assoc {

class main : public QWidget {
    Q_OBJECT
public:
    explicit main(QWidget* parent = nullptr);
};

} // namespace assoc
