#pragma once

#include <QComboBox>

namespace trelvik {

// A choice-only drop-down list whose field is a flat area of its Base colour. Most styles draw the field of a
// non-editable list as a shaded button, which turns a panel-green list almost white.
class PanelComboBox : public QComboBox {
public:
    explicit PanelComboBox(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace trelvik
