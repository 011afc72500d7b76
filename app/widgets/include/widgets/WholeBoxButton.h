#pragma once

#include <QPoint>

namespace trelvik {

// A switch or check box that takes a click anywhere in its box, not only on its mark and caption, so the
// clickable area is the whole rectangle the layout gives it.
template <typename Button> class WholeBoxButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint &pos) const override { return this->rect().contains(pos); }
};

} // namespace trelvik
