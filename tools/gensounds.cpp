// Writes the divination window's four sounds into a folder: start.wav (a soft chime),
// iter.wav (a short rattle of coins), gong.wav (a deep gong) and galaxy.wav (a bright shimmering
// chord). 16-bit PCM, mono, 44.1 kHz; each is normalised well below full scale.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

// A small fixed generator, so the files come out the same on every build.
struct Noise {
    quint32 state = 0x2545F491u;
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state) / 4294967295.0 * 2.0 - 1.0;
    }
};

Samples silence(double seconds)
{
    return Samples(std::size_t(seconds * kRate), 0.0);
}

// One decaying sine partial added at a start time.
void partial(Samples &s, double start, double freq, double amp, double decay, double attack = 0.004)
{
    const std::size_t from = std::size_t(start * kRate);
    for (std::size_t i = from; i < s.size(); ++i) {
        const double t = double(i - from) / kRate;
        const double env = std::min(1.0, t / attack) * std::exp(-t / decay);
        if (env < 1e-5 && t > attack)
            break;
        s[i] += amp * env * std::sin(2 * kPi * freq * t);
    }
}

void chime(Samples &s)
{
    // A small bell: inharmonic partials, the higher ones fading first.
    const double f = 1318.5; // E6
    partial(s, 0.0, f, 0.50, 0.80);
    partial(s, 0.0, f * 2.76, 0.18, 0.35);
    partial(s, 0.0, f * 5.40, 0.07, 0.15);
    partial(s, 0.0, f * 1.003, 0.20, 0.90); // a slow beat against the fundamental
    partial(s, 0.16, f * 0.75, 0.30, 0.70); // a second, lower stroke
    partial(s, 0.16, f * 0.75 * 2.76, 0.10, 0.30);
}

void rattle(Samples &s)
{
    // Coins knocking: a handful of short metallic clicks, unevenly spaced, softening as they settle.
    Noise n;
    const double times[] = {0.00, 0.045, 0.07, 0.12, 0.15, 0.21, 0.24, 0.31, 0.38};
    double amp = 0.45;
    for (double t0 : times) {
        const double base = 2600 + 900 * (n.next() + 1);
        partial(s, t0, base, amp, 0.018, 0.0008);
        partial(s, t0, base * 1.52, amp * 0.6, 0.012, 0.0008);
        partial(s, t0, base * 2.31, amp * 0.35, 0.008, 0.0008);
        const std::size_t from = std::size_t(t0 * kRate);
        for (std::size_t i = from; i < std::min(s.size(), from + 120); ++i)
            s[i] += amp * 0.25 * n.next() * std::exp(-double(i - from) / 30.0);
        amp *= 0.86;
    }
}

void gong(Samples &s)
{
    // Deep and slow: a low fundamental with inharmonic partials that swell a little after the stroke.
    const double f = 98.0; // G2
    partial(s, 0.0, f, 0.55, 1.30, 0.012);
    partial(s, 0.0, f * 1.008, 0.25, 1.20, 0.012);
    partial(s, 0.0, f * 2.02, 0.30, 0.90, 0.030);
    partial(s, 0.0, f * 2.93, 0.22, 0.70, 0.060);
    partial(s, 0.0, f * 4.14, 0.12, 0.45, 0.080);
    partial(s, 0.0, f * 5.52, 0.06, 0.30, 0.100);
    // The soft mallet's thump.
    Noise n;
    double low = 0;
    for (std::size_t i = 0; i < std::size_t(0.05 * kRate); ++i) {
        low += (n.next() - low) * 0.05;
        s[i] += 0.4 * low * std::exp(-double(i) / (0.012 * kRate));
    }
}

void shimmer(Samples &s)
{
    // A major chord rolled upwards, each note paired with a slightly detuned twin so it glitters.
    const double notes[] = {523.25, 659.26, 783.99, 1046.50, 1318.51, 1567.98}; // C5 E5 G5 C6 E6 G6
    for (int i = 0; i < 6; ++i) {
        const double t0 = i * 0.06;
        const double amp = 0.20 - i * 0.015;
        partial(s, t0, notes[i], amp, 0.9, 0.02);
        partial(s, t0, notes[i] * 1.004, amp * 0.8, 0.9, 0.02);
        partial(s, t0, notes[i] * 2.0, amp * 0.25, 0.4, 0.02);
    }
    // A gentle tremolo over the whole chord.
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] *= 1.0 - 0.18 * (0.5 + 0.5 * std::sin(2 * kPi * 6.0 * double(i) / kRate));
}

// Fades the ends, scales the peak to `peak` of full scale and writes a RIFF WAVE file.
bool write(const QString &path, Samples s, double peak)
{
    // The last eighth of each sound fades out, so no tail is cut off short.
    const std::size_t fade = std::max(std::size_t(0.05 * kRate), s.size() / 8);
    for (std::size_t i = 0; i < fade && i < s.size(); ++i)
        s[s.size() - 1 - i] *= std::pow(double(i) / double(fade), 2.0);
    double max = 0;
    for (double v : s)
        max = std::max(max, std::abs(v));
    const double scale = max > 0 ? peak / max : 0;

    QByteArray data;
    data.reserve(int(s.size() * 2));
    for (double v : s) {
        const auto x = qint16(std::lround(std::clamp(v * scale, -1.0, 1.0) * 32767.0));
        data.append(char(x & 0xFF));
        data.append(char((x >> 8) & 0xFF));
    }
    auto le32 = [](QByteArray &b, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [](QByteArray &b, quint16 v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    QByteArray out("RIFF");
    le32(out, quint32(36 + data.size()));
    out.append("WAVEfmt ");
    le32(out, 16);
    le16(out, 1); // PCM
    le16(out, 1); // mono
    le32(out, kRate);
    le32(out, kRate * 2);
    le16(out, 2);
    le16(out, 16);
    out.append("data");
    le32(out, quint32(data.size()));
    out.append(data);

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size()) {
        std::fprintf(stderr, "yw-gensounds: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: yw-gensounds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return 1;

    Samples start = silence(1.9);
    chime(start);
    Samples iter = silence(0.6);
    rattle(iter);
    Samples deep = silence(2.9);
    gong(deep);
    Samples chord = silence(2.6);
    shimmer(chord);

    const bool ok = write(dir.filePath(QStringLiteral("start.wav")), start, 0.45) &&
                    write(dir.filePath(QStringLiteral("iter.wav")), iter, 0.55) &&
                    write(dir.filePath(QStringLiteral("gong.wav")), deep, 0.70) &&
                    write(dir.filePath(QStringLiteral("galaxy.wav")), chord, 0.45);
    return ok ? 0 : 1;
}
