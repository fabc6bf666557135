// MOJIK: the program's one window. Its controls hold all state; its handlers are
// defined by concern in window/, conversion/, listing/ and info/.
#pragma once

#include "system/current_folders.h"
#include "controls/save_dialog.h"
#include "controls/services.h"

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QRadioButton;

namespace conversion {
class Conversions;
class JournalStore;
class Run;
struct Outcome;
} // namespace conversion

namespace sys {
class FolderLock;
} // namespace sys

namespace controls {
class DriveList;
class FileList;
class FolderList;
class PathLabel;
} // namespace controls

class MOJIK : public QMainWindow {
    Q_OBJECT
public:
    explicit MOJIK(controls::Services services = controls::Services::native(), QWidget *parent = nullptr);

    // window/startup.cpp
    void Form_Load();

    // window/navigation.cpp
    void Drive1_Change();
    void Dir1_Change();
    void Command3_Click();

    // conversion/run.cpp
    void Command1_Click();
    // The 変換 menu's items: the same run by another conversion.
    void utf8_Click();
    void compose_Click();
    void narrow_Click();
    void wideKana_Click();

    // conversion/undo_window.cpp (Ctrl+Z)
    void undoLastRun();

    // listing/export.cpp
    void Command2_Click();

    // info/boxes.cpp
    void pgm_Click();
    void maker_Click();
    void makekiki_Click();
    void about_Click();

protected:
    // window/navigation.cpp: a folder dropped on the window opens there.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // window/startup.cpp
    void openNearestFolder();

    // conversion/run.cpp
    // Plans the folder shown, asks with the plan in the question's details, then runs it.
    void convertShown(const conversion::Conversions &conversions);
    std::error_code rensub(const std::filesystem::path &aaa);
    void reportRun(const conversion::Outcome &outcome);
    // Takes the journals' lock for a run or an undo; where another MOJIK holds
    // it, or the journals cannot be kept, says so and answers false.
    bool lockJournals(const conversion::JournalStore &journals, sys::FolderLock &lock);
    // One name or reason a line, as many as a box holds, then how many more.
    static QString itemLines(const std::vector<QString> &items);

    // window/navigation.cpp
    void agreeWithFolderList();
    // Makes where() the working folder, its drive's current folder and the folder
    // every view shows, asking it anew for each step; `folder` is its last answer.
    std::error_code moveTo(const std::function<std::filesystem::path()> &where, std::filesystem::path &folder);

    // window/mojik.cpp
    controls::Answer message(const QString &prompt, controls::Buttons buttons = controls::Buttons::Ok,
                             const QString &details = {});

    controls::Services m_services;
    sys::CurrentFolders m_folders; // the process's current drive and folder
    conversion::Run *m_run = nullptr; // the run under way, which rensub renames through

    QRadioButton *Option1;
    QRadioButton *Option2;
    controls::DriveList *Drive1;
    controls::FolderList *Dir1;
    controls::FileList *File1;
    QPushButton *Command1;
    controls::PathLabel *Label1;
    QPushButton *Command2;
    QPushButton *Command3;
    controls::SaveDialog Cob1;

    QMenu *convert;
    QAction *utf8;
    QAction *compose;
    QAction *narrow;
    QAction *wideKana;

    QMenu *help;
    QAction *pgm;
    QAction *maker;
    QAction *makekiki;
    QAction *about;
};
