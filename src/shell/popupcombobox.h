#pragma once

#include <QComboBox>

// An editable drop-down list that tells its owner just before its list drops
// down, so that the owner can fill it fresh each time.
class PopupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PopupComboBox(QWidget *parent = nullptr);

    void showPopup() override;

    // Replaces the items, keeping the text the box shows.
    void replaceItems(const QStringList &items);

signals:
    void aboutToDropDown();
};
