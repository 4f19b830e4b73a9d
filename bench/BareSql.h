#pragma once

// The program's own work beside the same statements run bare in SQLite.
//
// A Recording notes every statement SQLite runs on a connection while it
// lives (its text with its parameters, the values bound to them, and how far
// it was stepped), so that an operation of the program is first run once to
// learn its statements. A BareRun runs such a list through SQLite's own
// interface on the same connection, each text prepared once and kept, the
// values bound as stored, stepped as far as the program did, every column of
// every row read: what SQLite itself needs for that work.
#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace bare {

// A value bound to a statement: NULL, an integer, a real, a text, a blob.
struct Blob {
    QByteArray bytes;
};
using Value = std::variant<std::monostate, qint64, double, QByteArray, Blob>;

struct Statement {
    QByteArray text;  // with its parameters
    std::vector<Value> values;
    // How far the program stepped: every row, or only the first `rows`.
    qint64 rows = 0;
    bool toTheEnd = false;
};

class Recording
{
public:
    explicit Recording(sqlite3 *db);
    ~Recording();
    Recording(const Recording &) = delete;
    Recording &operator=(const Recording &) = delete;

    // What was run until now (the recording stops).
    std::vector<Statement> stop();

private:
    static int noted(unsigned type, void *self, void *statement, void *text);

    sqlite3 *m_db;
    bool m_on = true;
    std::vector<Statement> m_statements;
    std::map<void *, size_t> m_running;  // each statement's latest run
};

// Runs recorded statements bare; the prepared statements are kept until it
// goes (before the connection closes).
class BareRun
{
public:
    explicit BareRun(sqlite3 *db);
    ~BareRun();
    BareRun(const BareRun &) = delete;
    BareRun &operator=(const BareRun &) = delete;

    // Runs them all; nanoseconds taken. Stops the program on a failure.
    qint64 run(const std::vector<Statement> &statements);
    // Lets go of the kept statements (the connection is about to close).
    void clear();

private:
    sqlite3_stmt *prepared(const QByteArray &text);

    sqlite3 *m_db;
    std::map<QByteArray, sqlite3_stmt *> m_kept;
    quint64 m_read = 0;  // what was read, so that no read is left out
};

// The values of a statement whose text has parameters ("?", ":0" …) where
// the expanded text (as SQLite writes it, values as SQL literals) has them.
bool valuesOf(const QByteArray &text, const QByteArray &expanded, std::vector<Value> *values);

// Folds the write-ahead log back into the file and starts it anew (not
// timed), so that no automatic checkpoint and no restart of the log falls
// into the next timed write: which write pays for them is a matter of chance.
void foldLog(sqlite3 *db);

// Medians of timings, in milliseconds.
double median(std::vector<double> ms);

// The program's operation and the same statements bare, `runs` times each,
// alternating: their medians in milliseconds, and how many statements the
// operation runs. `before` readies each run (not timed); an operation that
// runs no statement gets a bare time of -1.
struct Compared {
    double program = 0;
    double bare = -1;
    size_t statements = 0;
};
Compared compare(sqlite3 *db, int runs, const std::function<void()> &operation,
                 const std::function<void()> &before = {});

// One line of the table: the operation, both times, their ratio.
void printHeading();
void print(const QString &operation, const Compared &c, const QString &unit = QStringLiteral("ms"),
           double scale = 1.0);

}  // namespace bare
