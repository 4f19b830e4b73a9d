#include "TestSupport.h"

#include "core/db/Schema.h"

#include <QDir>
#include <QtTest>

FreshShop::FreshShop()
{
    const QString file = QDir(m_dir.path()).filePath(schema::databaseFileName());
    if (auto error = schema::createDatabaseFile(file))
        qFatal("cannot make a shop database: %s", qPrintable(*error));
    m_dm = std::make_unique<TDM1>(m_dir.path());
    if (auto error = m_dm->open())
        qFatal("cannot open the shop database: %s", qPrintable(*error));
}

QString queryPlan(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    sql::Query plan = sql::exec(db, QStringLiteral("EXPLAIN QUERY PLAN ") + statement, binds);
    QStringList steps;
    while (plan.next())
        steps << plan.value(3).toString();
    return steps.join(QStringLiteral("; "));
}

ScriptedMessages::ScriptedMessages()
{
    msg::setResponder([this](const msg::Shown &m) {
        m_shown.push_back(m);
        if (!m_answers.empty()) {
            const msg::Answer a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        return m.buttons == msg::Buttons::YesNo ? msg::Answer::Yes : msg::Answer::Ok;
    });
}

ScriptedMessages::~ScriptedMessages()
{
    msg::setResponder({});
}

QStringList ScriptedMessages::texts() const
{
    QStringList out;
    for (const auto &m : m_shown)
        out << m.text;
    return out;
}

QString ScriptedMessages::last() const
{
    return m_shown.empty() ? QString() : m_shown.back().text;
}
