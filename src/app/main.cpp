// Facewright, the windows. Start-up order, the game chosen for this run (--game, --demo) and the
// trap's "Unrecoverable Error" box are set up here; everything else is the windows' and the core's.
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <memory>
#include <string>

#include "core/base/error_trap.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/app_state.hpp"
#include "demo/demo_game.hpp"
#include "windows/browser/frmMain.hpp"
#include "windows/check/frmCheck.hpp"
#include "windows/editor/frmEditSim.hpp"
#include "windows/editor/frmRestore.hpp"
#include "windows/extract/frmExtract.hpp"
#include "windows/headselect/frmSelectHead.hpp"
#include "windows/shell/frmSetPath.hpp"
#include "windows/shell/frmTitle.hpp"
#include "windows/widgets/openers.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/unrecoverable_error.hpp"

namespace {

QString version_number() {
    return QStringLiteral("%1.%2.%3")
        .arg(FACEWRIGHT_VERSION_MAJOR)
        .arg(FACEWRIGHT_VERSION_MINOR)
        .arg(FACEWRIGHT_VERSION_REVISION);
}

// What --help says before the options: every place the game is looked for, in order.
constexpr const char* kDescription =
    "Facewright edits the sims of The Sims: name, gender, age group, skin tone and head.\n"
    "Without options the game is the stored location (Options > Set Path) while it\n"
    "holds Sims.exe; else the first install found here, in this order, then stored:\n"
#ifdef _WIN32
    "  1. the registry entry InstallPath under HKLM\\Software\\Maxis\\The Sims;\n"
    "  2. The Sims Legacy Collection (Steam app 3314060) in the libraries of the\n"
    "     Steam folder the registry names;\n"
    "  3. the EA app's folder Program Files\\EA Games\\The Sims Legacy.\n"
#else
    "  1. the registry entry InstallPath under HKLM\\Software\\Maxis\\The Sims, in\n"
    "     the system.reg of the Wine prefix $WINEPREFIX, else ~/.wine;\n"
    "  2. The Sims Legacy Collection (Steam app 3314060) in the Steam libraries:\n"
    "     $XDG_DATA_HOME/Steam or ~/.local/share/Steam, ~/.steam/steam,\n"
    "     ~/.steam/root, ~/.var/app/com.valvesoftware.Steam/.local/share/Steam\n"
    "     and .../data/Steam, ~/snap/steam/common/.local/share/Steam, and each\n"
    "     library their steamapps/libraryfolders.vdf lists;\n"
    "  3. the Wine prefixes $WINEPREFIX or ~/.wine, Bottles' bottles\n"
    "     (~/.var/app/com.usebottles.bottles/data/bottles/bottles/*,\n"
    "     ~/.local/share/bottles/bottles/*) and Lutris' prefixes (~/Games/*): in\n"
    "     each its registry entry, then the EA app's folder\n"
    "     C:\\Program Files\\EA Games\\The Sims Legacy.\n"
#endif
    "A place counts only when its folder holds Sims.exe; \"facewright-cli where\"\n"
    "shows what was found. The command-line tool facewright-cli works on the same\n"
    "files.";

struct Options {
    bool demo = false;
    std::string game;  // "" when not given
};

// Read before the application object exists, so that --help and --version work without a
// display. Ends the program after --help or --version, or with a message on a wrong option.
Options read_options(int argc, char** argv) {
    QStringList arguments;
    for (int k = 0; k < argc; ++k) arguments << QString::fromLocal8Bit(argv[k]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);  // -platform NAME
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption game(
        QStringLiteral("game"),
        QStringLiteral("Use the game installed in PATH for this run; nothing is stored."),
        QStringLiteral("PATH"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Use the demo game (a small synthetic game install in the program "
                       "folder, written there when missing) for this run; nothing is "
                       "stored."));
    parser.addOption(game);
    parser.addOption(demo);
    // The toolkit's own options, taken by the application object later.
    for (const char* name : {"platform", "display", "style", "stylesheet"}) {
        QCommandLineOption toolkit(QString::fromLatin1(name), QString(), QStringLiteral("VALUE"));
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(toolkit);
    }
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "facewright: %s See --help.\n", qPrintable(parser.errorText()));
        std::exit(2);
    }
    if (parser.isSet(help)) {
        // Without the application object the parser cannot name the program itself.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("facewright"));
        std::fputs(qPrintable(text), stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) {
        std::printf("Facewright %s\n", qPrintable(version_number()));
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "facewright: unexpected argument \"%s\". See --help.\n",
                     qPrintable(parser.positionalArguments().first()));
        std::exit(2);
    }
    if (parser.isSet(game) && parser.isSet(demo)) {
        std::fprintf(stderr, "facewright: --game and --demo cannot be used together\n");
        std::exit(2);
    }
    Options options;
    options.demo = parser.isSet(demo);
    // A relative path means the folder the program was started in, whatever folder is current
    // later.
    const QString path = parser.value(game);
    if (!path.isEmpty())
        options.game = fw::from_qt(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    return options;
}

void install_window_openers() {
    fw::openers().edit_sim = fw::show_frmEditSim;
    fw::openers().select_head = fw::frmSelectHead::select_head;
    fw::openers().restore_from_backup = fw::show_frmRestore;
    fw::openers().check_game = fw::frmCheck::show_check;
    fw::openers().set_path = [](QWidget* owner) {
        fw::frmSetPath dialog(owner);
        dialog.exec();
    };
    fw::openers().extract = [](QWidget* owner) {
        fw::frmExtract dialog(owner);
        dialog.exec();
    };
}

}  // namespace

int main(int argc, char** argv) {
    // The names only label the program for the desktop; the program folder and the settings
    // files do not depend on them.
    QApplication::setApplicationName(QStringLiteral("Facewright"));
    QApplication::setOrganizationName(QStringLiteral("Tamsworth"));
    QApplication::setApplicationVersion(version_number());
    const Options options = read_options(argc, argv);

    fw::FacewrightApplication application(argc, argv);
    // The installed menu entry and icon share this id; the desktop matches the windows to them.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tamsworth.Facewright"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.tamsworth.Facewright")));
    fw::install_unrecoverable_error_box();
    fw::install_log_folder(fw::program_folder);

    std::unique_ptr<fw::frmMain> main_window;
    try {
        fw::app_state().run_game = options.demo
                                       ? fw::Game::at(fw::build::ensure_demo_game(), fw::GamePathSource::Demo)
                                       : fw::Game::at(options.game, fw::GamePathSource::CommandLine);
        install_window_openers();

        // The title box first; the main window once it closes, by "OK" or its close box. Until
        // then, the title box closing is not the last window closing.
        QApplication::setQuitOnLastWindowClosed(false);
        fw::show_title_box([&main_window] {
            main_window = std::make_unique<fw::frmMain>();
            main_window->show();
            QApplication::setQuitOnLastWindowClosed(true);
        });
    } catch (...) {
        fw::record_failure("Facewright", "main", 0, fw::failure_from_current_exception());
        fw::trap();
    }
    return application.exec();
}
