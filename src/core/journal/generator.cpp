#include "journal/generator.h"

#include "divination/hexagram.h"
#include "divination/texts.h"

namespace yw {
namespace {

const QStringList &questions()
{
    static const QStringList list = {
        QStringLiteral("Вопрос на задавался"),
        QStringLiteral("Стоит ли менять работу этой весной?"),
        QStringLiteral("Чем закончится поездка к морю?"),
        QStringLiteral("Как сложится разговор с братом?"),
        QStringLiteral("Удачен ли будет переезд?"),
        QStringLiteral("Что ждет наш общий проект?"),
        QStringLiteral("Пора ли начинать ремонт?"),
        QStringLiteral("Как вести себя на экзамене?"),
    };
    return list;
}

const QStringList &methods()
{
    static const QStringList list = {
        QStringLiteral("Метод 3 монет"),
        QStringLiteral("Метод 50 стеблей тысячелистника"),
        QStringLiteral("Метод 3 игральных костей"),
        QStringLiteral("Нумерологический метод"),
        QStringLiteral("Метод расчета по григорианскому календарю"),
    };
    return list;
}

} // namespace

JournalGenerator::JournalGenerator(quint32 seed) : m_random(seed) {}

QStringList JournalGenerator::userNames()
{
    return {QStringLiteral("Анна Петрова"), QStringLiteral("Иван"),          QStringLiteral("O'Brien"),
            QStringLiteral("Мастер Ли"),    QStringLiteral("Имя не задано"), QStringLiteral("Ольга С.")};
}

JournalRecord JournalGenerator::next()
{
    auto pick = [this](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_random)); };
    static const QStringList users = userNames();
    static const QStringList interpretations = interpretationNames();

    JournalRecord r;
    // 2001-01-01 to about the end of 2024.
    r.date = QDate(2001, 1, 1).addDays(pick(8766));
    r.time = QTime(0, 0).addSecs(pick(86400));
    r.userName = users[pick(int(users.size()))];
    r.question = questions()[pick(int(questions().size()))];
    // Yarrow-stalk odds: 6 one in 16, 9 three, 7 five, 8 seven.
    QString code; // top line first
    for (int line = 0; line < 6; ++line) {
        const int x = pick(16);
        const QChar v = x < 1 ? u'6' : x < 4 ? u'9' : x < 9 ? u'7' : u'8';
        r.go[size_t(line)] = v; // go[0] is line 1, the bottom one
        code.prepend(v);
    }
    r.geksagrammaOld = hex::kingWenNumber(hex::bitCodeOf(code)).toInt();
    r.geksagrammaYou = hex::kingWenNumber(hex::bitCodeOf(hex::youngLineCode(code))).toInt();
    r.interpretation = interpretations[pick(int(interpretations.size()))];
    r.attention = hex::isWarning(r.geksagrammaOld) ? QStringLiteral("!") : QString();
    r.method = methods()[pick(int(methods().size()))];
    r.principle = pick(8) == 0 ? kPrincipleManual : kPrincipleProgram;
    return r;
}

} // namespace yw
