#pragma once

#include <QString>

// What the main window reads from myini.ini when it starts, with its own defaults.
struct MainWindowSettings {
    QString shopName;   // default "澄溪软件工作室"
    QString slogan;     // default empty
    QString background; // default image/001.jpg beside the executable, also when empty

    static MainWindowSettings read();
};
