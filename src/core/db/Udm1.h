#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>

// The shop's own particulars: the one row of `danwei`.
struct ShopRecord {
    QString mczc;  // shop name, in the main window's title
    QString mcdy;  // print heading, first part of every printed title
    QString lxr;
    QString dh;
    QString cz;
    QString dz;
    QString bz1;
    QString bz2;
    QString bz3;  // upper footer line of printed sales documents
    QString bz4;  // lower footer line of printed sales documents
};

// The data module: the one connection to the shop database and the shop's
// record. Windows receive it from their opener; each window keeps its own
// queries over ADOC1().
class TDM1
{
public:
    // The shop database QLXData1.db in dataDir (normally the program's directory).
    explicit TDM1(const QString &dataDir);
    ~TDM1();
    TDM1(const TDM1 &) = delete;
    TDM1 &operator=(const TDM1 &) = delete;

    // Opens the connection and reads the shop record. Fails for a missing,
    // unreadable or foreign file; the text says why (for the log only: the
    // operator sees the fixed message).
    std::optional<QString> open();

    // The connection, opened again if it was closed (after the exit question
    // was cancelled, or by the maintenance dialogs).
    QSqlDatabase ADOC1();
    void closeConnection();

    const ShopRecord &ATdanwei1() const { return m_shop; }
    // Reads the shop record again; false when it cannot be read.
    bool reloadShop();

    QString dataDir() const { return m_dataDir; }
    QString databasePath() const;

    static QString missingDatabaseMessage();  // the fatal start-up message

private:
    std::optional<QString> openConnection();

    QString m_dataDir;
    QString m_connectionName;
    ShopRecord m_shop;
};
