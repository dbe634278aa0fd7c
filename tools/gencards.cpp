// Draws the 64 hexagram cards "s01.jpg" .. "s64.jpg" (64 x 109 pixels) into the folder given on
// the command line: the hexagram's number on a red seal, its six lines, its name and its meaning.

#include "divination/hexagram.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 109;

// Names by King Wen number: the Chinese name in Russian letters and its meaning.
struct Name {
    const char16_t *chinese;
    const char16_t *meaning;
};
const Name kNames[64] = {
    {u"Цянь", u"Творчество"},
    {u"Кунь", u"Исполнение"},
    {u"Чжунь", u"Начальная трудность"},
    {u"Мэн", u"Недоразвитость"},
    {u"Сюй", u"Ожидание"},
    {u"Сун", u"Тяжба"},
    {u"Ши", u"Войско"},
    {u"Би", u"Единение"},
    {u"Сяо Чу", u"Малое укрощение"},
    {u"Ли", u"Поступь"},
    {u"Тай", u"Расцвет"},
    {u"Пи", u"Упадок"},
    {u"Тун Жэнь", u"Единомыш\u00adленники"},
    {u"Да Ю", u"Великое обладание"},
    {u"Цянь", u"Смирение"},
    {u"Юй", u"Воодушевление"},
    {u"Суй", u"Следование"},
    {u"Гу", u"Исправление порчи"},
    {u"Линь", u"Приближение"},
    {u"Гуань", u"Созерцание"},
    {u"Ши Хо", u"Стиснутые зубы"},
    {u"Би", u"Убранство"},
    {u"Бо", u"Разрушение"},
    {u"Фу", u"Возврат"},
    {u"У Ван", u"Непорочность"},
    {u"Да Чу", u"Великое укрощение"},
    {u"И", u"Питание"},
    {u"Да Го", u"Переизбыток великого"},
    {u"Кань", u"Бездна"},
    {u"Ли", u"Сияние"},
    {u"Сянь", u"Взаимодействие"},
    {u"Хэн", u"Постоянство"},
    {u"Дунь", u"Отступление"},
    {u"Да Чжуан", u"Великая мощь"},
    {u"Цзинь", u"Восход"},
    {u"Мин И", u"Померкший свет"},
    {u"Цзя Жэнь", u"Семья"},
    {u"Куй", u"Разлад"},
    {u"Цзянь", u"Препятствие"},
    {u"Се", u"Освобождение"},
    {u"Сунь", u"Убыль"},
    {u"И", u"Приумножение"},
    {u"Гуай", u"Прорыв"},
    {u"Гоу", u"Встреча"},
    {u"Цуй", u"Собрание"},
    {u"Шэн", u"Подъём"},
    {u"Кунь", u"Истощение"},
    {u"Цзин", u"Колодец"},
    {u"Гэ", u"Перемена"},
    {u"Дин", u"Котёл"},
    {u"Чжень", u"Гром"},
    {u"Гэнь", u"Неподвижность"},
    {u"Цзянь", u"Постепенность"},
    {u"Гуй Мэй", u"Невеста"},
    {u"Фэн", u"Изобилие"},
    {u"Люй", u"Странник"},
    {u"Сюнь", u"Проникновение"},
    {u"Дуй", u"Радость"},
    {u"Хуань", u"Рассеяние"},
    {u"Цзе", u"Ограничение"},
    {u"Чжун Фу", u"Внутренняя правда"},
    {u"Сяо Го", u"Переизбыток малого"},
    {u"Цзи Цзи", u"Уже завершено"},
    {u"Вэй Цзи", u"Ещё не завершено"},
};

const QColor kPaperTop(252, 246, 230);
const QColor kPaperBottom(238, 224, 192);
const QColor kInk(58, 40, 28);
const QColor kSeal(176, 42, 30);
const QColor kGold(190, 146, 70);

QFont narrow(int pixels, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans Narrow"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// The largest font up to `pixels` in which every line fits the width.
QFont fitting(const QStringList &lines, int pixels, bool bold, int width)
{
    for (int px = pixels; px > 6; --px) {
        const QFont f = narrow(px, bold);
        const QFontMetrics fm(f);
        bool fits = true;
        for (const QString &l : lines)
            fits = fits && fm.horizontalAdvance(l) <= width;
        if (fits)
            return f;
    }
    return narrow(6, bold);
}

// One line, or two split at the blank nearest the middle; a word too long for the card carries a
// soft hyphen where it may break.
QStringList wrap(const QString &text, const QFont &font, int width)
{
    const QChar soft(0x00ad);
    QString plain = text;
    plain.remove(soft);
    if (QFontMetrics(font).horizontalAdvance(plain) <= width)
        return {plain};
    if (const qsizetype h = text.indexOf(soft); h >= 0)
        return {text.left(h) + QLatin1Char('-'), text.mid(h + 1)};
    if (!text.contains(QLatin1Char(' ')))
        return {text};
    qsizetype best = -1;
    for (qsizetype i = text.indexOf(QLatin1Char(' ')); i >= 0; i = text.indexOf(QLatin1Char(' '), i + 1))
        if (best < 0 || qAbs(i - text.size() / 2) < qAbs(best - text.size() / 2))
            best = i;
    return {text.left(best), text.mid(best + 1)};
}

QImage card(int number)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient paper(0, 0, 0, kHeight);
    paper.setColorAt(0, kPaperTop);
    paper.setColorAt(1, kPaperBottom);
    p.fillRect(img.rect(), paper);
    // A double frame: dark outside, gold inside.
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    p.setPen(QPen(kGold, 1));
    p.drawRect(QRectF(2.5, 2.5, kWidth - 5, kHeight - 5));

    // Number on a red seal.
    const QRectF seal(20, 5, 24, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(kSeal);
    p.drawRoundedRect(seal, 3, 3);
    p.setPen(QColor(255, 244, 226));
    p.setFont(narrow(11, true));
    p.drawText(seal, Qt::AlignCenter, yw::hex::twoDigits(number));

    // The six lines, line 6 at the top; a wider gap between the two trigrams.
    const QString code = yw::hex::lineCode(number);
    const qreal left = 13, width = 38, bar = 4, step = 6.5;
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int i = 0; i < 6; ++i) {
        const qreal y = 24 + i * step + (i >= 3 ? 2 : 0);
        if (code.at(i) == u'7') {
            p.drawRoundedRect(QRectF(left, y, width, bar), 1, 1);
        } else {
            const qreal half = (width - 8) / 2;
            p.drawRoundedRect(QRectF(left, y, half, bar), 1, 1);
            p.drawRoundedRect(QRectF(left + width - half, y, half, bar), 1, 1);
        }
    }

    const Name &name = kNames[number - 1];
    const int textWidth = kWidth - 8;
    const QString chinese = QString::fromUtf16(name.chinese);
    p.setPen(kSeal.darker(120));
    p.setFont(fitting({chinese}, 12, true, textWidth));
    p.drawText(QRectF(4, 62, textWidth, 14), Qt::AlignHCenter | Qt::AlignVCenter, chinese);

    p.setPen(QPen(kGold, 1));
    p.drawLine(QPointF(14, 78.5), QPointF(kWidth - 14, 78.5));

    const QString meaning = QString::fromUtf16(name.meaning);
    const QStringList lines = wrap(meaning, narrow(10, false), textWidth);
    const QFont mf = fitting(lines, 10, false, textWidth);
    p.setFont(mf);
    p.setPen(kInk);
    const int lh = QFontMetrics(mf).height();
    const qreal top = lines.size() == 1 ? 86 : 81;
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QRectF(4, top + i * lh, textWidth, lh), Qt::AlignHCenter | Qt::AlignVCenter, lines.at(i));
    p.end();
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: yw-gencards <folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "yw-gencards: cannot create %s\n", argv[1]);
        return 1;
    }
    for (int n = 1; n <= 64; ++n) {
        const QString path = QStringLiteral("%1/s%2.jpg").arg(dir, yw::hex::twoDigits(n));
        if (!card(n).save(path, "JPEG", 92)) {
            std::fprintf(stderr, "yw-gencards: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
