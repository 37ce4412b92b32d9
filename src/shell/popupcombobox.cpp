#include "shell/popupcombobox.h"

PopupComboBox::PopupComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void PopupComboBox::showPopup()
{
    emit aboutToDropDown();
    QComboBox::showPopup();
}

void PopupComboBox::replaceItems(const QStringList &items)
{
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(text);
}
