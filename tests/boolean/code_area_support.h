#pragma once

#include "model/configuration.h"
#include "model/notice.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cstddef>

namespace muxcc::test {

// Entries [from, from + count) of a code area, for comparing with a table row.
inline QList<int> EntriesOf(const CodeArea& code, int from, int count)
{
    QList<int> entries;
    for (int i = from; i < from + count; ++i)
        entries.append(code[static_cast<std::size_t>(i)]);
    return entries;
}

inline CodeArea AreaFilledWith(int value)
{
    CodeArea code;
    code.fill(static_cast<std::int16_t>(value));
    return code;
}

// The 42 equation texts; missing ones are empty.
inline OneBased<std::string, OutputCount> EquationTexts(const QStringList& texts)
{
    OneBased<std::string, OutputCount> equations;
    for (int k = 1; k <= std::min<int>(OutputCount, static_cast<int>(texts.size())); ++k)
        equations[k] = texts[k - 1].toStdString();
    return equations;
}

} // namespace muxcc::test

namespace muxcc {

// Lets QCOMPARE print both notices when they differ (found by argument lookup).
inline char* toString(const Notice& notice)
{
    const char* icon = notice.icon == Notice::Icon::Exclamation ? "exclamation" : "information";
    return QTest::toString(
        QString("%1 \"%2\" \"%3\"")
            .arg(icon, QString::fromStdString(notice.title), QString::fromStdString(notice.text)));
}

} // namespace muxcc
