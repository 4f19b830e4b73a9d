#pragma once

#include "core/db/Sql.h"
#include "core/db/Udm1.h"
#include "ui/Messages.h"

#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <vector>

// A fresh shop database made by the same code that makes the delivered one,
// in a temporary directory, with its data module open.
class FreshShop
{
public:
    FreshShop();
    TDM1 &dm() { return *m_dm; }
    QSqlDatabase db() { return m_dm->ADOC1(); }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDM1> m_dm;
};

// How SQLite runs a statement: the steps of its EXPLAIN QUERY PLAN, joined
// by "; " ("SEARCH sp USING INDEX ..."), for tests that check which index a
// statement uses.
QString queryPlan(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds = {});

// Replaces the message boxes while it lives: records every message and answers
// questions from a queue (OK / Yes when the queue is empty).
class ScriptedMessages
{
public:
    ScriptedMessages();
    ~ScriptedMessages();

    void answer(msg::Answer a) { m_answers.push_back(a); }

    const std::vector<msg::Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    // The last message's text, or empty.
    QString last() const;
    void clear() { m_shown.clear(); }

private:
    std::vector<msg::Shown> m_shown;
    std::deque<msg::Answer> m_answers;
};
