#pragma once

// A generated shop for the benchmarks, of the size asked for, made once into
// a directory of its own and used again by every later run with the same
// sizes (a shop of a million articles and ten million ledger rows takes a
// few minutes and about 3 GB to make).
//
// Options every benchmark takes:
//   --articles N   articles in the catalogue              (default 100000)
//   --headers N    retail and wholesale document headers  (default 100000)
//   --ledger N     sales ledger rows, as many document lines (default 1000000)
//   --purchases N  purchase ledger rows, as many lines of purchase documents (default 0)
//   --movements N  stock movement ledger rows, as many movement lines (default 0)
//   --dir DIR      where the shop is kept (default build/bench-shops/a<N>-h<N>-l<N>)
//   --runs N       timed runs of each operation; the median is shown (default 5)
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace benchshop {

struct Options {
    qint64 articles = 100000;
    qint64 headers = 100000;
    qint64 ledger = 1000000;
    qint64 purchases = 0;
    qint64 movements = 0;
    QString dir;
    int runs = 5;
};

// The options from the command line; exits with the usage on a bad one.
Options parse(const QStringList &arguments);

// The shop's directory (holding QLXData1.db), made when it is not there
// with these sizes. Refuses when the disk has too little room. `reused`
// tells whether an earlier run's shop is used.
std::optional<QString> prepare(const Options &options, QString *dir, bool *reused);

// What the generated shop holds.
inline constexpr int kCategories = 40;
inline constexpr int kHeldDocuments = 20;  // held ("未审核") documents among the headers
inline constexpr int kSalesPerDay = 300;   // sales documents a day
inline constexpr int kHandlers = 8;        // employees handling the documents
inline constexpr int kSuppliers = 30;
inline constexpr int kCustomers = 50;
inline constexpr int kLinesPerDocument = 10;  // lines of a purchase or movement document
QString handlerName(int h);                // 张三, 李四, …
QString supplierName(int s);               // 厂商0 … 厂商29
QString customerName(int c);               // 客户0 … 客户49
QString categoryName(int c);               // 类别1 … 类别40
QDate firstDay();                          // the day of the first document
QDate lastDay(const Options &options);     // the day of the last sales document

}  // namespace benchshop
