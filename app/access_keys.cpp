#include "app/access_keys.h"

#include <QSet>

namespace korvane {

namespace {

// A caption split into what it reads and where its mark stands.
struct Parsed {
    QString text;     // the label part as it reads, "&" unescaped
    QString shortcut; // from the tab on ("\tStrg+N"), as it is
    qsizetype mark;   // index into text of the marked character, -1 when none
};

bool Markable(QChar c) {
    return c.isLetterOrNumber();
}

Parsed Parse(const QString& caption) {
    const qsizetype tab = caption.indexOf(QLatin1Char('\t'));
    const QString label = tab < 0 ? caption : caption.left(tab);
    Parsed p{QString(), tab < 0 ? QString() : caption.mid(tab), -1};
    for (qsizetype i = 0; i < label.size(); ++i) {
        const QChar c = label.at(i);
        if (c == QLatin1Char('&') && i + 1 < label.size()) {
            const QChar next = label.at(i + 1);
            if (next == QLatin1Char('&')) {
                p.text += next;
                ++i;
                continue;
            }
            if (Markable(next)) {
                if (p.mark < 0)
                    p.mark = p.text.size();
                continue; // the mark itself is no character
            }
        }
        p.text += c;
    }
    return p;
}

QChar Folded(QChar c) {
    return c.toCaseFolded();
}

QString Written(const Parsed& p, qsizetype mark) {
    QString out;
    for (qsizetype i = 0; i < p.text.size(); ++i) {
        if (i == mark)
            out += QLatin1Char('&');
        out += p.text.at(i);
        if (p.text.at(i) == QLatin1Char('&'))
            out += QLatin1Char('&');
    }
    return out + p.shortcut;
}

} // namespace

QString WithoutAccessKeyMark(const QString& caption) {
    if (!caption.contains(QLatin1Char('&')))
        return caption;
    const Parsed p = Parse(caption);
    return p.text + p.shortcut;
}

QString EscapeAccessKeyMarks(const QString& plain) {
    QString out = plain;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QChar AccessKeyOf(const QString& caption) {
    const Parsed p = Parse(caption);
    return p.mark < 0 ? QChar() : Folded(p.text.at(p.mark));
}

QStringList WithAccessKeys(const QStringList& captions, const QString& reserved) {
    QSet<QChar> taken;
    for (QChar c : reserved)
        taken.insert(Folded(c));
    std::vector<Parsed> parsed;
    std::vector<qsizetype> marks(static_cast<std::size_t>(captions.size()), -1);
    for (const QString& c : captions)
        parsed.push_back(Parse(c));
    // The language's own marks first, in menu order.
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        const Parsed& p = parsed[i];
        if (p.mark >= 0 && !taken.contains(Folded(p.text.at(p.mark)))) {
            taken.insert(Folded(p.text.at(p.mark)));
            marks[i] = p.mark;
        }
    }
    // Then the first free letter or digit of every other caption.
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        if (marks[i] >= 0)
            continue;
        const QString& text = parsed[i].text;
        for (qsizetype k = 0; k < text.size(); ++k) {
            if (Markable(text.at(k)) && !taken.contains(Folded(text.at(k)))) {
                taken.insert(Folded(text.at(k)));
                marks[i] = k;
                break;
            }
        }
    }
    QStringList out;
    for (std::size_t i = 0; i < parsed.size(); ++i)
        out << Written(parsed[i], marks[i]);
    return out;
}

} // namespace korvane
