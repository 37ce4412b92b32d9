#pragma once

#include <QDialog>

// The about box, created at start and shown again and again.
class Tguanyu : public QDialog {
    Q_OBJECT
public:
    explicit Tguanyu(QWidget *parent = nullptr);
};

extern Tguanyu *guanyu;
