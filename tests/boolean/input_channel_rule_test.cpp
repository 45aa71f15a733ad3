#include "boolean/input_channel_rule.h"

#include "code_area_support.h"

#include <QTest>

using namespace muxcc;
using muxcc::test::EquationTexts;

namespace {

OneBased<std::int16_t, ChannelCount> Directions(const QList<int>& inputs, int others)
{
    OneBased<std::int16_t, ChannelCount> directions;
    for (std::int16_t& direction : directions)
        direction = static_cast<std::int16_t>(others);
    for (const int k : inputs)
        directions[k] = 0;
    return directions;
}

} // namespace

class InputChannelRuleTest : public QObject {
    Q_OBJECT

private slots:
    void shouldDropEquationsOfInputChannels_data()
    {
        QTest::addColumn<QList<int>>("inputs");
        QTest::addColumn<int>("others"); // direction of every other channel
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("dropped");

        const QStringList all(OutputCount, "MUX1");
        QTest::newRow("outputs keep their equations") << QList<int>{} << 1 << all << QList<int>{};
        QTest::newRow("direction 2 is not an input") << QList<int>{} << 2 << all << QList<int>{};
        QTest::newRow("one input channel") << QList<int>{3} << 1 << all << QList<int>{3};
        QTest::newRow("inputs reported in channel order")
            << QList<int>{16, 1} << 1 << all << QList<int>{1, 16};
        QTest::newRow("input without equation says nothing")
            << QList<int>{2} << 1 << QStringList{"MUX1", "", "MUX1"} << QList<int>{};
        QTest::newRow("spaces are an equation")
            << QList<int>{2} << 1 << QStringList{"", " "} << QList<int>{2};
        QTest::newRow("outputs after MUX16 never tested")
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16} << 1
            << QStringList{QStringList(ChannelCount, QString()) + all.mid(ChannelCount)} << QList<int>{};
    }
    void shouldDropEquationsOfInputChannels()
    {
        QFETCH(QList<int>, inputs);
        QFETCH(int, others);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, dropped);
        auto equations = EquationTexts(texts);
        auto expected = equations;

        const auto result = DropInputChannelEquations(equations, Directions(inputs, others));

        QCOMPARE(result.size(), static_cast<std::size_t>(dropped.size()));
        for (std::size_t i = 0; i < result.size(); ++i) {
            const int k = dropped[static_cast<qsizetype>(i)];
            const std::string name = "MUX" + std::to_string(k);
            QCOMPARE(result[i].channel, k);
            QCOMPARE(result[i].notice, (Notice{Notice::Icon::Exclamation, "Boolean Error",
                                               " Boolean Error in " + name + ", " + name + " SET AS INPUT"}));
            expected[k].clear();
        }
        QCOMPARE(equations, expected);
    }
};

QTEST_APPLESS_MAIN(InputChannelRuleTest)
#include "input_channel_rule_test.moc"
