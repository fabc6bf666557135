// A window under test, started in a fresh temporary folder with fake services.
#pragma once

#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "window/mojik.h"

#include "controls/file_list.h"
#include "system/files.h"
#include "controls/folder_list.h"
#include "controls/path_label.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <set>

namespace testing_support {

class WindowHarness {
public:
    // Makes the files first, then the window, which starts in the folder.
    explicit WindowHarness(std::function<void(const TempFolder &)> fill = {})
    {
        if (fill)
            fill(folder);
        std::filesystem::current_path(folder.path());
        // The window works on the folder only on a drive it lists, as on the
        // system's own: "/" here, the temporary folder's drive letter on Windows.
        fake.drives = {{folder.path().root_path(), {}}};
    }

    MOJIK &window()
    {
        if (!m_window) {
            m_window = std::make_unique<MOJIK>(fake.services);
            // The lists read the folder once first painted; here, at once.
            m_window->findChild<controls::FileList *>(QStringLiteral("File1"))->entries();
            m_window->findChild<controls::FolderList *>(QStringLiteral("Dir1"))->listSubfoldersIfPending();
        }
        return *m_window;
    }

    template <typename T>
    T *control(const char *name)
    {
        T *found = window().findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }

    // Clicks "実　行" and answers its question.
    void convert(bool upper, controls::Answer answer = controls::Answer::Yes)
    {
        control<QRadioButton>(upper ? "Option1" : "Option2")->setChecked(true);
        fake.answers.push_back(answer);
        click("Command1");
    }

    // Every name in a folder, hidden ones and subfolders included.
    static std::set<std::filesystem::path> namesIn(const std::filesystem::path &where)
    {
        std::vector<std::filesystem::path> names;
        EXPECT_FALSE(sys::listAllNames(where, names));
        return {names.begin(), names.end()};
    }

    TempFolder folder;
    FakeServices fake;

private:
    std::unique_ptr<MOJIK> m_window;
};

} // namespace testing_support
