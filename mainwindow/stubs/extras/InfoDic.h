#pragma once
// Stand-in until the real About window builds; same interface.
#include <QDialog>

namespace trelvik {

class infoDic : public QDialog {
    Q_OBJECT
public:
    explicit infoDic(QWidget *parent = nullptr);
};

} // namespace trelvik
