#pragma once

#include <QWidget>

// The start-up splash: a borderless picture centred on the desktop with
// "正在启动程序，请稍候" at its lower left. It reacts to nothing.
class TFqd1 : public QWidget
{
    Q_OBJECT
public:
    explicit TFqd1(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
