// parseOptions and helpText, with QCommandLineParser.
#include "command_line/options.h"

#include "conversion/journal_store.h"
#include "system/paths.h"
#include "text/names.h"

#include <QCommandLineParser>
#include <algorithm>

namespace command_line {

namespace {

// An argument that is not valid text stands in the parser's list as a mark
// that leads back to its bytes: a NUL and the argument's index. No argument
// holds a NUL, so no real one, whatever its text, is taken for a mark.
constexpr char16_t kRawMark = u'\0';

// `options` tells whether the argument may still be an option: an option's name
// is text, so one in other bytes stays an option, which the parser then refuses
// by a name with replacement marks. The value after "--name=" keeps its bytes
// through a mark that ends in "=".
QString argumentText(const std::string &bytes, std::size_t index, bool options)
{
    if (const std::optional<QString> text = text::nameText(sys::pathFromBytes(bytes)))
        return *text;
    if (options && bytes.starts_with('-')) {
        const std::size_t equals = bytes.find('=');
        const std::optional<QString> name = text::nameText(sys::pathFromBytes(bytes.substr(0, equals)));
        if (equals != std::string::npos && name)
            return *name + QLatin1Char('=') + QChar(kRawMark) + QString::number(index) + QLatin1Char('=');
        return QString::fromUtf8(bytes);
    }
    return QChar(kRawMark) + QString::number(index);
}

// An option that only a run takes, given without one.
QString runNeeded(const QString &option)
{
    return QStringLiteral("%1 は変換 (--upper、--lower、--utf8、--compose、--narrow、--wide-kana) と一緒に使います。").arg(option);
}

QString partNeeded()
{
    return QStringLiteral("--part には name、extension、all のどれかを指定してください。");
}

// --part's value; nothing for one it does not take.
std::optional<conversion::Part> partNamed(const QString &value)
{
    if (value == QStringLiteral("all"))
        return conversion::Part::All;
    if (value == QStringLiteral("name"))
        return conversion::Part::Name;
    if (value == QStringLiteral("extension"))
        return conversion::Part::Extension;
    return std::nullopt;
}

std::filesystem::path argumentPath(const QString &text, const std::vector<std::string> &arguments)
{
    if (!text.startsWith(QChar(kRawMark)))
        return text::nameFromText(text);
    const bool value = text.endsWith(QLatin1Char('='));
    const std::string &bytes = arguments[text.mid(1, text.size() - 1 - value).toULongLong()];
    return sys::pathFromBytes(value ? bytes.substr(bytes.find('=') + 1) : bytes);
}

} // namespace

Options parseOptions(const std::vector<std::string> &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption upper(QStringLiteral("upper"));
    const QCommandLineOption lower(QStringLiteral("lower"));
    const QCommandLineOption undo(QStringLiteral("undo"));
    const QCommandLineOption list(QStringLiteral("list"));
    const QCommandLineOption output(QStringLiteral("output"), {}, QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringList{QStringLiteral("n"), QStringLiteral("dry-run")});
    const QCommandLineOption recursive(QStringList{QStringLiteral("r"), QStringLiteral("recursive")});
    const QCommandLineOption subfolders(QStringLiteral("folders"));
    const QCommandLineOption part(QStringLiteral("part"), {}, QStringLiteral("PART"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({upper, lower, undo, list, output, dryRun, recursive, subfolders, part, help, version});
    const std::pair<QCommandLineOption, conversion::Conversion> steps[] = {
        {QCommandLineOption(QStringLiteral("utf8")), conversion::Conversion::Utf8},
        {QCommandLineOption(QStringLiteral("compose")), conversion::Conversion::Compose},
        {QCommandLineOption(QStringLiteral("narrow")), conversion::Conversion::Narrow},
        {QCommandLineOption(QStringLiteral("wide-kana")), conversion::Conversion::WideKana},
    };
    for (const auto &[option, step] : steps)
        parser.addOption(option);

    QStringList texts{QStringLiteral("mojik")};
    bool afterOptions = false; // past "--", every argument is a folder
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        texts << argumentText(arguments[i], i, !afterOptions);
        afterOptions = afterOptions || arguments[i] == "--";
    }

    Options options;
    if (!parser.parse(texts)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            // The parser gives the name alone; a one-letter name was a short
            // option unless it was written after "--".
            const QString name = unknown.first();
            const QString asLong = QStringLiteral("--") + name;
            const bool isLong = name.size() > 1 || std::any_of(texts.begin() + 1, texts.end(), [&](const QString &text) {
                                    return text == asLong || text.startsWith(asLong + QLatin1Char('='));
                                });
            options.error = QStringLiteral("%1 というオプションはありません。").arg(isLong ? asLong : QLatin1Char('-') + name);
            return options;
        }
        // Else an option was given a value it does not take, or --output or --part none.
        for (const QString &text : texts.mid(1)) {
            if (text == QStringLiteral("--"))
                break;
            const QString name = text.section(QLatin1Char('='), 0, 0);
            if (text.startsWith(QStringLiteral("--")) && text.contains(QLatin1Char('=')) && name != QStringLiteral("--output") &&
                name != QStringLiteral("--part")) {
                options.error = QStringLiteral("%1 には値を付けられません。").arg(name);
                return options;
            }
        }
        // An option that needs a value lacks one only as the last argument.
        options.error = texts.last() == QStringLiteral("--part") ? partNeeded()
                                                                  : QStringLiteral("--output には書き出すファイルの名前が要ります。");
        return options;
    }
    if (parser.isSet(help)) {
        options.action = Action::Help;
        return options;
    }
    if (parser.isSet(version)) {
        options.action = Action::Version;
        return options;
    }

    int actions = 0;
    for (const auto &[option, action] : {std::pair{&upper, Action::Upper}, std::pair{&lower, Action::Lower},
                                         std::pair{&undo, Action::Undo}, std::pair{&list, Action::List}}) {
        if (parser.isSet(*option)) {
            options.action = action;
            ++actions;
        }
    }
    for (const auto &[option, step] : steps) {
        if (parser.isSet(option))
            options.conversions.add(step);
    }
    if (options.action == Action::Upper || options.action == Action::Lower)
        options.conversions.add(options.action == Action::Upper ? conversion::Conversion::Upper
                                                                : conversion::Conversion::Lower);
    else if (!options.conversions.steps().empty() && actions == 0)
        options.action = Action::Convert;
    const QStringList folders = parser.positionalArguments();
    if (folders.size() == 1)
        options.folder = argumentPath(folders.first(), arguments);
    if (parser.isSet(output))
        options.output = argumentPath(parser.value(output), arguments);
    options.dryRun = parser.isSet(dryRun);
    options.recursive = parser.isSet(recursive);
    options.folders = parser.isSet(subfolders);
    const std::optional<conversion::Part> partAsked =
        parser.isSet(part) ? partNamed(parser.value(part)) : conversion::Part::All;
    if (partAsked)
        options.part = *partAsked;

    const bool run = options.action == Action::Upper || options.action == Action::Lower || options.action == Action::Convert;
    if (actions > 1)
        options.error = QStringLiteral("--upper、--lower、--undo、--list は一度に一つだけです。");
    else if (!options.conversions.steps().empty() && !run)
        options.error = QStringLiteral("--utf8、--compose、--narrow、--wide-kana は --undo や --list と一緒には使えません。");
    else if (folders.size() > 1)
        options.error = QStringLiteral("フォルダーは一つだけ指定してください。");
    else if (options.action != Action::Window && folders.isEmpty())
        options.error = QStringLiteral("フォルダーを指定してください。");
    else if (options.dryRun && !run)
        options.error = runNeeded(QStringLiteral("-n (--dry-run)"));
    else if (options.recursive && !run && options.action != Action::Undo)
        options.error = QStringLiteral("-r (--recursive) は変換 (--upper、--lower、--utf8、--compose、--narrow、--wide-kana) か --undo と一緒に使います。");
    else if (options.folders && !run)
        options.error = runNeeded(QStringLiteral("--folders"));
    else if (parser.isSet(part) && !run)
        options.error = runNeeded(QStringLiteral("--part"));
    else if (!partAsked)
        options.error = partNeeded();
    else if (parser.isSet(output) != (options.action == Action::List))
        options.error = options.action == Action::List ? QStringLiteral("--list には --output FILE が要ります。")
                                                       : QStringLiteral("--output は --list と一緒に使います。");
    return options;
}

QString helpText()
{
    QString help = QStringLiteral(
        "使い方:\n"
        "  mojik [FOLDER]                      ウィンドウを開きます (FOLDER を指定するとそこで)\n"
        "  mojik --upper [-n] [-r] [--folders] [--part PART] FOLDER\n"
        "                                      ファイル名を大文字にします\n"
        "  mojik --lower [-n] [-r] [--folders] [--part PART] FOLDER\n"
        "                                      ファイル名を小文字にします\n"
        "  mojik CONVERSION... [-n] [-r] [--folders] [--part PART] FOLDER\n"
        "                                      ファイル名を下の変換で直します (--upper か --lower も一緒に指定できます)\n"
        "  mojik --undo [-r] FOLDER            そのフォルダーの直前の変換を元に戻します\n"
        "  mojik --list FOLDER --output FILE   ファイル名の一覧を Shift_JIS で書き出します\n"
        "  mojik --help | --version\n"
        "\n"
        "オプション:\n"
        "  -n, --dry-run     変更せずに、変更する名前 (旧 → 新) とそのままにする名前と理由を表示します\n"
        "  -r, --recursive   下のフォルダーにも同じ変換をします (隠しフォルダーとフォルダーへのリンクには入りません)\n"
        "  --folders         サブフォルダーの名前も変換します (-r では深いフォルダーから順に。FOLDER 自身、\n"
        "                    隠しフォルダー、フォルダーへのリンクの名前は変更しません)\n"
        "  --part PART       変換する部分: name (最後の . より前)、extension (最後の . より後)、\n"
        "                    all (名前全体、既定)。. のない名前には拡張子がありません。文字コードの変換は\n"
        "                    いつも名前全体です\n"
        "\n"
        "変換 (CONVERSION。いくつでも一度に指定でき、この順に、大文字・小文字の変換の前に行います):\n"
        "  --utf8            Shift_JIS の名前を UTF-8 にします。UTF-8 としても読める名前は、名前の形と\n"
        "                    フォルダーのほかの名前から判断し、決められなければそのままにします。\n"
        "                    Shift_JIS として読まれて文字化けした UTF-8 の名前 (繧ｵ繝ｳ繝励Ν.txt) も、\n"
        "                    確かなときは元に戻します (サンプル.txt)\n"
        "  --compose         Mac で分かれた濁点・半濁点などを文字に結合します (NFC。CJK 互換漢字はそのまま)\n"
        "  --narrow          全角の英数字と記号を半角にします (／ ＼ ： ＊ ？ ＂ ＜ ＞ ｜、全角スペース、\n"
        "                    名前の最初と最後の ． はそのまま)\n"
        "  --wide-kana       半角カナを全角にし、濁点・半濁点を結合します (ｶﾞ → ガ、｡｢｣､･ｰ → 。「」、・ー)\n"
        "\n"
        "隠しファイルは変更しません。-r を付けなければサブフォルダーの中を、--folders を付けなければ\n"
        "フォルダー名を変更しません。\n"
        "ほかのファイルやフォルダーを置き換えることはありません。\n"
        "Shift_JIS の名前は、その文字で「アイ.txt (Shift_JIS)」のように表示します。\n"
        "変換のたびに、元に戻すための履歴を %1 に残します。\n"
        "変換と元に戻す処理は一度に一つずつ行います。ほかの MOJIK が実行中のときは、終わるのを待ってから\n"
        "始めます (履歴のフォルダーの中と、それを含むフォルダーの名前は変更しません)。\n"
        "\n"
        "終了コード:\n"
        "  0  すべての名前が指定の変換のとおりになった (--undo ではすべての名前が元に戻った)\n"
        "  1  そのままにした名前がある (-n では実行した場合と同じ)\n"
        "  2  使い方の誤り\n"
        "  3  名前を変更できず途中で止まった、またはフォルダーや履歴を読み書きできなかった\n"
        "\n"
        "Copyright (c) 2026 The MOJIK developers\n"
        "MIT ライセンスで配布しています。Qt 6 (LGPL-3.0) と IPAゴシック (IPA フォントライセンス) を使っています。\n");
    return help.arg(QString::fromUtf8(conversion::JournalStore::kWhere));
}

} // namespace command_line
