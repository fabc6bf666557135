// Tests of the real Save dialog, answered from a timer as a user would.
#include "controls/save_dialog.h"

#include "support/temp_folder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

namespace fs = std::filesystem;

QString text(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

const QStringList kFilters = {QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)"), QStringLiteral("All Files (*)")};

// Shows the dialog and hands it to `answer` once it is the active modal widget.
// A question over the dialog is a failure: it and the dialog are closed so the
// test goes on.
std::optional<QString> showAndAnswer(const controls::SaveRequest &request, std::function<void(QFileDialog *)> answer)
{
    QTimer poll;
    poll.setInterval(0);
    QFileDialog *answered = nullptr;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            ADD_FAILURE() << "the dialog asked: " << box->text().toStdString();
            box->reject();
            if (answered)
                answered->reject();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && !answered && dialog->isVisible()) {
            answered = dialog;
            // Answered outside this slot, so that the poll goes on while a question would be shown.
            QTimer::singleShot(0, dialog, [dialog, &answer] { answer(dialog); });
        }
    });
    poll.start();
    std::optional<QString> chosen = controls::showSaveDialog(nullptr, request);
    poll.stop();
    QTest::qWait(0);
    return chosen;
}

QLineEdit *nameEdit(QFileDialog *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

// Clicks the Save or the Cancel button; without one the dialog is closed and the test fails.
void press(QFileDialog *dialog, QDialogButtonBox::StandardButton which)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QPushButton *button = buttons ? buttons->button(which) : nullptr;
    if (!button || !button->isEnabled()) {
        ADD_FAILURE() << "no button to press";
        dialog->reject();
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

TEST(SaveDialog, ProposesTheNameAndReturnsTheTypedOneAsIs)
{
    testing_support::TempFolder folder;
    bool checked = false;
    const std::optional<QString> chosen =
        showAndAnswer({text(folder.path()), QStringLiteral("FNAME.TXT"), kFilters}, [&](QFileDialog *dialog) {
            checked = true;
            EXPECT_EQ(dialog->windowTitle(), QCoreApplication::translate("QFileDialog", "Save As"));
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog->nameFilters(), kFilters);
            EXPECT_EQ(dialog->selectedNameFilter(), kFilters.first());
            EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
            EXPECT_EQ(fs::path(dialog->directory().absolutePath().toStdString()), folder.path());
            QLineEdit *edit = nameEdit(dialog);
            EXPECT_EQ(edit ? edit->text() : QString(), QStringLiteral("FNAME.TXT"));
            if (edit)
                edit->setText(QStringLiteral("list"));
            press(dialog, QDialogButtonBox::Save);
        });
    EXPECT_TRUE(checked);
    // No extension is added although ﾃｷｽﾄﾌｧｲﾙ is the selected type.
    EXPECT_EQ(chosen, text(folder.path() / "list"));
}

TEST(SaveDialog, ProposesAFullPathAndTakesAnExistingFileWithoutAsking)
{
    testing_support::TempFolder folder;
    folder.folder("other");
    // Spelt with the system's own separator: the dialog answers in it although Qt's answers with "/".
    const fs::path existing = folder.file(fs::path("chosen") / "old.txt");
    const std::optional<QString> chosen =
        showAndAnswer({text(folder.path() / "other"), text(existing), kFilters}, [&](QFileDialog *dialog) {
            EXPECT_EQ(fs::path(dialog->directory().absolutePath().toStdString()), existing.parent_path());
            const QLineEdit *edit = nameEdit(dialog);
            EXPECT_EQ(edit ? edit->text() : QString(), QStringLiteral("old.txt"));
            press(dialog, QDialogButtonBox::Save);
        });
    EXPECT_EQ(chosen, text(existing));
}

TEST(SaveDialog, CancelChoosesNothing)
{
    testing_support::TempFolder folder;
    const std::optional<QString> chosen =
        showAndAnswer({text(folder.path()), QStringLiteral("FNAME.TXT"), kFilters}, [](QFileDialog *dialog) { press(dialog, QDialogButtonBox::Cancel); });
    EXPECT_EQ(chosen, std::nullopt);
}

} // namespace
