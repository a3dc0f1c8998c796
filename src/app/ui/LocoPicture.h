#pragma once

#include <QWidget>

// The main window's picture: a small locomotive on a track, drawn in code.
class LocoPicture : public QWidget {
public:
    explicit LocoPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {112, 84}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
