#pragma once

#include <QString>

// Every path the program uses starts at the executable's folder, never at the
// current directory. Tests point it at a folder of their own.
class AppPaths {
public:
    static QString exeDir();
    static void setExeDirForTesting(const QString &dir);

    static QString databaseFile();   // database/database.mdb
    static QString settingsFile();   // myini.ini
    static QString defaultBackground(); // image/001.jpg
    static QString backupDir();      // backup/
    static QString helpFile();       // help.chm
};
