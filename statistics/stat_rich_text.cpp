#include "statistics/stat_rich_text.h"

#include "platform/font_map.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace {

// Stand-ins for a typed "#" and "~", from the private use area: no run
// text holds them, so the walk never takes them for markers.
constexpr QChar kHash(0xE000);
constexpr QChar kTilde(0xE001);

QString Wrap(char code, const QString& text) {
    QString out;
    out.reserve(text.size() + 3);
    out += QLatin1Char('#');
    out += QLatin1Char(code);
    out += text;
    out += QLatin1Char('~');
    return out;
}

// The character formats of one document: heights are whole twips of the
// default height, each product truncated toward zero.
class RunFormats {
public:
    explicit RunFormats(const QFont& base) : m_base(base) {
        double points = base.pointSizeF();
        if (points <= 0.0)
            points = QFontInfo(base).pointSizeF();
        m_twips = std::lround(points * 20.0);
        // A baseline offset is a percentage of the run's own font height
        // (ascent and descent), which is proportional to its size.
        QFont probe(base);
        probe.setPixelSize(1000);
        const QFontMetricsF metrics(probe);
        m_heightPerSize = (metrics.ascent() + metrics.descent()) / 1000.0;
    }

    QTextCharFormat For(QChar code) const {
        switch (code.unicode()) {
        case u'D':
            return Make(0.65, -0.2);
        case u'U':
            return Make(0.65, 0.45);
        case u'C':
            return Make(1.2, 0.0);
        case u'L':
            return Make(0.75, 0.0);
        default:
            return Make(1.0, 0.0);
        }
    }

private:
    QTextCharFormat Make(double size, double offset) const {
        const double points = std::trunc(size * m_twips) / 20.0;
        const double offsetPoints = std::trunc(offset * m_twips) / 20.0;
        QTextCharFormat f;
        f.setFontFamilies(m_base.families().isEmpty() ? QStringList{m_base.family()}
                                                      : m_base.families());
        f.setFontPointSize(points);
        if (offsetPoints != 0.0 && points > 0.0 && m_heightPerSize > 0.0) {
            f.setVerticalAlignment(QTextCharFormat::AlignBaseline);
            f.setBaselineOffset(100.0 * offsetPoints / (points * m_heightPerSize));
        } else {
            f.setVerticalAlignment(QTextCharFormat::AlignNormal);
            f.setBaselineOffset(0.0);
        }
        return f;
    }

    QFont m_base;
    long m_twips = 0;
    double m_heightPerSize = 0.0;
};

int EndOf(const QTextDocument& document) {
    return document.characterCount() - 1;
}

} // namespace

QString QvStatRichText::Subscript(const QString& text) const {
    return Wrap('D', text);
}

QString QvStatRichText::Superscript(const QString& text) const {
    return Wrap('U', text);
}

QString QvStatRichText::SymbolFace(const QString& text) const {
    return Wrap('C', text);
}

QString QvStatRichText::Smaller(const QString& text) const {
    return Wrap('L', text);
}

QString QvStatRichText::Literal(const QString& text) const {
    QString out = text;
    out.replace(QLatin1Char('#'), kHash);
    out.replace(QLatin1Char('~'), kTilde);
    return out;
}

void QvStatRichText::ApplyMarkup(QTextDocument& document) const {
    const RunFormats formats(document.defaultFont());
    const auto matchCase = QTextDocument::FindCaseSensitively;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // Every marker before p is gone, so each search starts at the last run
    // and the runs come in text order.
    int p = 0;
    for (;;) {
        const QTextCursor hash = document.find(QStringLiteral("#"), p, matchCase);
        if (hash.isNull())
            break;
        p = hash.selectionStart();
        cursor.setPosition(p);
        cursor.setPosition(std::min(p + 2, EndOf(document)), QTextCursor::KeepAnchor);
        const QString marker = cursor.selectedText();
        cursor.removeSelectedText();
        const QChar code = marker.size() > 1 ? marker[1] : QChar();

        int t = EndOf(document);
        const QTextCursor tilde = document.find(QStringLiteral("~"), p, matchCase);
        if (!tilde.isNull()) {
            t = tilde.selectionStart();
            cursor.setPosition(t);
            cursor.setPosition(t + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        cursor.setPosition(p);
        cursor.setPosition(t, QTextCursor::KeepAnchor);
        if (code == u'C') {
            // No face on this desktop reads Symbol-font codes: the run
            // keeps the report's face and shows the characters they stand
            // for.
            const QString shown = SymbolTextToUnicode(cursor.selectedText());
            if (shown != cursor.selectedText()) {
                cursor.insertText(shown);
                cursor.setPosition(p);
                cursor.setPosition(p + int(shown.size()), QTextCursor::KeepAnchor);
            }
        }
        cursor.mergeCharFormat(formats.For(code));
    }
    // What the user typed comes back as typed, in its run's format.
    for (const QChar& standIn : {kHash, kTilde}) {
        const QString typed = standIn == kHash ? QStringLiteral("#") : QStringLiteral("~");
        for (int from = 0;;) {
            QTextCursor found = document.find(QString(standIn), from, matchCase);
            if (found.isNull())
                break;
            found.insertText(typed, found.charFormat());
            from = found.position();
        }
    }
    cursor.endEditBlock();
}
