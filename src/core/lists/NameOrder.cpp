#include "core/lists/NameOrder.h"

#include <QLocale>

NameOrder::NameOrder() : m_collator(QLocale(QLocale::Chinese, QLocale::China)) {}
