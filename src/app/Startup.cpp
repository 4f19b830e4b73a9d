#include "app/Startup.h"

#include "windows/app/Udl1.h"
#include "core/db/Udm1.h"
#include "app/Umain1.h"
#include "windows/app/Uqd1.h"
#include "core/db/Schema.h"
#include "core/documents/Documents.h"
#include "ui/Messages.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QFontDatabase>
#include <QThread>

#include <cstdio>

namespace {

// The login dialog could not list the operators: the program ends.
struct OperatorsUnreadable {};

std::optional<QString> loginWithDialog(TDM1 &dm)
{
    TFdl1 dialog(dm);
    if (!dialog.prepare())
        throw OperatorsUnreadable{};
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.operatorName();
}

void pause(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

}  // namespace

int runProgram(const StartOptions &options)
{
    programlook::apply();
    auto splash = std::make_unique<TFqd1>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    pause(options.splashMs);

    TDM1 dm(options.dataDir);
    if (auto refused = dm.open()) {
        qWarning("%s", qPrintable(*refused));
        splash.reset();
        msg::error(nullptr, TDM1::missingDatabaseMessage());
        return 1;
    }

    TFmain1 main(dm);
    if (!main.isReady()) {
        splash.reset();
        msg::error(nullptr, TDM1::missingDatabaseMessage());
        return 1;
    }
    documents::removeInterruptedEntries(dm.ADOC1(), QDate::currentDate());
    splash.reset();

    const auto login = options.login ? options.login : loginWithDialog;
    std::optional<QString> operatorName;
    try {
        operatorName = login(dm);
    } catch (const OperatorsUnreadable &) {
        // A shop file whose operators cannot be read: said, and a failure.
        qWarning("the operators of %s cannot be read", qPrintable(dm.databasePath()));
        msg::error(nullptr, TDM1::missingDatabaseMessage());
        return 1;
    }
    if (!operatorName)
        return 0;

    main.startSession(*operatorName);
    main.showMaximized();
    main.showNavigationChart();
    return options.eventLoop ? options.eventLoop() : QApplication::exec();
}

namespace {

// Writing a database needs no display: this runs before any window exists.
int createDatabaseIn(const QString &dir)
{
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(schema::databaseFileName());
    if (auto error = schema::createDatabaseFile(file)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
    return 0;
}

}  // namespace

int velboraMain(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--create-db") == 0) {
            QCoreApplication core(argc, argv);
            return createDatabaseIn(QString::fromLocal8Bit(argv[i + 1]));
        }
    }

    QApplication app(argc, argv);
    // The program's name for the desktop (WM_CLASS, the task bar's grouping and
    // its desktop entry). No display name: Qt would append it to every title
    // bar, and the captions are to read exactly as the windows give them.
    QApplication::setApplicationName(QStringLiteral("velbora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velbora"));

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption dataOption(QStringLiteral("data"),
                                  QStringLiteral("Run on the shop database in DIR."),
                                  QStringLiteral("DIR"));
    QCommandLineOption createOption(QStringLiteral("create-db"),
                                    QStringLiteral("Write a fresh shop database into DIR and end."),
                                    QStringLiteral("DIR"));
    parser.addOption(dataOption);
    parser.addOption(createOption);
    parser.process(app);

    StartOptions options;
    options.dataDir = parser.isSet(dataOption) ? parser.value(dataOption)
                                               : QCoreApplication::applicationDirPath();
    return runProgram(options);
}
