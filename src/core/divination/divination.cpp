#include "divination/divination.h"

#include "divination/hexagram.h"

namespace yw {

QString castHint(int press)
{
    static const QStringList ordinals = {QStringLiteral("первый"), QStringLiteral("второй"),
                                         QStringLiteral("третий"), QStringLiteral("четвертый"),
                                         QStringLiteral("пятый"),  QStringLiteral("шестой")};
    if (press < 1 || press > 6)
        return kCastOverHint;
    return QStringLiteral("Испытай судьбу ") + ordinals[press - 1] + QStringLiteral(" раз");
}

void DivinationState::addLine(QChar value)
{
    lineCode.prepend(value);
    bitCode.prepend(hex::bit(value));
}

QChar DivinationState::lineValue(int k) const
{
    const qsizetype i = lineCode.size() - k;
    if (k < 1 || i < 0)
        return QChar();
    return lineCode.at(i);
}

QString DivinationState::lookup(const QString &bits, CastVariant variant)
{
    const QString number = hex::kingWenNumber(bits);
    if (variant == CastVariant::Majority && !number.isEmpty() && hex::isWarning(number.toInt()))
        attention = QStringLiteral("!");
    return number;
}

void DivinationState::finish(CastVariant variant)
{
    oldNumber = lookup(bitCode, variant);
    if (variant == CastVariant::Weighted)
        formYoung();
}

void DivinationState::formYoung()
{
    youngBitCode.clear();
    for (int k = 1; k <= 6; ++k)
        youngBitCode.prepend(hex::bit(hex::youngValue(lineValue(k))));
    // Only the weighted variant forms a young hexagram, so this lookup never marks attention.
    youngNumber = hex::kingWenNumber(youngBitCode);
}

QString savedQuestion(const QString &question)
{
    if (question == kQuestionPlaceholder || question.trimmed().isEmpty())
        return kNoQuestion;
    return question;
}

QString savedUserName(const QString &userName)
{
    return userName.trimmed().isEmpty() ? kNoUserName : userName;
}

std::optional<JournalRecord> resultRecord(const DivinationState &state, const QString &question,
                                          const QString &userName, const QString &interpretation, const QString &method,
                                          const QDateTime &now)
{
    if (!state.ended())
        return std::nullopt;
    JournalRecord r;
    r.date = now.date();
    r.time = now.time();
    r.userName = savedUserName(userName);
    r.question = savedQuestion(question);
    r.geksagrammaOld = state.oldNumber.toInt();
    r.geksagrammaYou = state.youngNumber.trimmed().isEmpty() ? r.geksagrammaOld : state.youngNumber.toInt();
    for (int k = 1; k <= 6; ++k)
        r.go[std::size_t(k - 1)] = QString(state.lineValue(k));
    r.interpretation = interpretation;
    r.attention = state.attention;
    r.method = method;
    r.principle = kPrincipleProgram;
    return r;
}

} // namespace yw
