#pragma once

#include <QGroupBox>

namespace tarnelby {

// A framed panel lying over the drawing area. It swallows every mouse event,
// its own and those its labels pass on, so a click on a panel never reaches
// the drawing area beneath it.
class Panel : public QGroupBox {
    Q_OBJECT

public:
    Panel(const QString& name, const QString& caption, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace tarnelby
