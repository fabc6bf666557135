// The MOJIK constructor: builds every control at its fixed place with its first
// value, the conversion and help menus, the icon, and connects the handlers.
#include "window/mojik.h"

#include "controls/drive_list.h"
#include "controls/file_list.h"
#include "controls/folder_list.h"
#include "controls/path_label.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace {

#include "window/mojik.xpm"

// Places are kept in twips as the window was drawn; 15 twips make a pixel.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

template <typename Control>
Control *place(Control *control, const char *name, QRect rect)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rect);
    return control;
}

void drawFlat(QFrame *frame)
{
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
}

QPushButton *button(QWidget *parent, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false); // Enter and Esc press no button
    b->setDefault(false);
    return b;
}

} // namespace

MOJIK::MOJIK(controls::Services services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(std::move(services)), m_folders(m_services.drives)
{
    setObjectName(QStringLiteral("MOJIK"));
    setWindowTitle(QStringLiteral("ファイル名の大／小文字一括変換ツール"));
    setWindowIcon(QIcon(QPixmap(mojik_xpm)));

    auto *client = new QWidget(this);
    client->setFixedSize(7035 / 15, 3585 / 15);
    setCentralWidget(client);

    Option1 = place(new QRadioButton(QStringLiteral("ファイル名の大文字化"), client), "Option1", twips(120, 2880, 2175, 255));
    Option2 = place(new QRadioButton(QStringLiteral("ファイル名の小文字化"), client), "Option2", twips(120, 3240, 2175, 255));
    Drive1 = place(new controls::DriveList(client), "Drive1", twips(120, 360, 3375, 300));
    Dir1 = place(new controls::FolderList(client), "Dir1", twips(120, 720, 4455, 1980));
    File1 = place(new controls::FileList(client), "File1", twips(4680, 360, 2295, 3090));
    Command1 = place(button(client, QStringLiteral("実　行")), "Command1", twips(3600, 3120, 975, 375));
    Label1 = place(new controls::PathLabel(client), "Label1", twips(120, 0, 6855, 255));
    Command2 = place(button(client, QStringLiteral("file名出力")), "Command2", twips(2280, 3120, 1095, 375));
    Command3 = place(button(client, QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ")), "Command3", twips(3600, 380, 975, 255));

    drawFlat(Dir1);
    drawFlat(File1);
    drawFlat(Label1);
    Label1->setAutoFillBackground(true);
    Label1->setBackgroundRole(QPalette::Base);
    Label1->setForegroundRole(QPalette::Text);

    // What a screen reader says for the controls that have no caption of their
    // own; the label's folder is its description. On Linux a drop-down list is
    // named by the label whose buddy it is, one never shown here.
    Drive1->setAccessibleName(QStringLiteral("ドライブ一覧"));
    auto *driveName = new QLabel(Drive1->accessibleName(), client);
    driveName->setBuddy(Drive1);
    driveName->hide();
    Dir1->setAccessibleName(QStringLiteral("フォルダー一覧"));
    File1->setAccessibleName(QStringLiteral("ファイル一覧"));
    Label1->setAccessibleName(QStringLiteral("選択中のフォルダー"));

    // The keyboard order is the order of the table; the label takes no focus.
    QWidget *order[] = {Option1, Option2, Drive1, Dir1, File1, Command1, Command2, Command3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Option1->setChecked(true);
    Option1->setFocus();

    // The conversions beside the case, each the same run as 実　行's, before the help.
    convert = menuBar()->addMenu(QStringLiteral("変換(&C)"));
    convert->setObjectName(QStringLiteral("convert"));
    help = menuBar()->addMenu(QStringLiteral("help"));
    help->setObjectName(QStringLiteral("help"));
    auto item = [this](QMenu *menu, const char *name, const QString &caption, void (MOJIK::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    utf8 = item(convert, "utf8", QStringLiteral("Shift_JIS の名前を UTF-8 に"), &MOJIK::utf8_Click);
    compose = item(convert, "compose", QStringLiteral("Mac で分かれた濁点を結合"), &MOJIK::compose_Click);
    narrow = item(convert, "narrow", QStringLiteral("全角英数字を半角に"), &MOJIK::narrow_Click);
    wideKana = item(convert, "wideKana", QStringLiteral("半角カナを全角に"), &MOJIK::wideKana_Click);
    pgm = item(help, "pgm", QStringLiteral("プログラムの説明"), &MOJIK::pgm_Click);
    maker = item(help, "maker", QStringLiteral("作者紹介"), &MOJIK::maker_Click);
    makekiki = item(help, "makekiki", QStringLiteral("開発環境"), &MOJIK::makekiki_Click);
    about = item(help, "about", QStringLiteral("プログラムのバージョン"), &MOJIK::about_Click);

    // First values from the process's current drive and folder; no handler runs yet.
    std::error_code error;
    const std::filesystem::path start = std::filesystem::current_path(error);
    Dir1->setDriveOf([this](const std::filesystem::path &path) { return m_folders.driveOf(path); });
    Drive1->setDrives(m_folders.drives(), start);
    // Both lists read the folder right after the window's first paint.
    Dir1->setPathAfterFirstPaint(start);
    File1->setPathAfterFirstPaint(start);

    connect(Drive1, &controls::DriveList::driveChanged, this, &MOJIK::Drive1_Change);
    connect(Dir1, &controls::FolderList::pathChanged, this, &MOJIK::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &MOJIK::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MOJIK::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MOJIK::Command3_Click);
    // Ctrl+Z takes the last run back: a key, not a control, so the window stays as it is.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &MOJIK::undoLastRun);

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    setAcceptDrops(true); // a folder dragged from a file manager opens here

    Form_Load();
}

controls::Answer MOJIK::message(const QString &prompt, controls::Buttons buttons, const QString &details)
{
    return m_services.message(this, prompt, buttons, details);
}
