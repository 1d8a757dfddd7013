#include "ui/common/eight_bit_text.h"

#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextDocument>

namespace {

// Valid UTF-8 that also encodes back to the very same bytes (a byte order mark included).
bool isUtf8(const QByteArray &bytes, QString &text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    text = decoder.decode(bytes);
    return !decoder.hasError() && text.toUtf8() == bytes;
}

QByteArray lineEndOf(const QByteArray &bytes) {
    if (bytes.contains("\r\n"))
        return "\r\n";
    if (bytes.contains('\r'))
        return "\r";
    if (bytes.contains('\n'))
        return "\n";
    return "\r\n";
}

// CR LF, CR and LF all become '\n'.
QString unifyLineEnds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

EightBitText EightBitText::detect(const QByteArray &bytes) {
    EightBitText result;
    QString ignored;
    result.encoding_ = isUtf8(bytes, ignored) ? Encoding::Utf8 : Encoding::Latin1;
    result.lineEnd_ = lineEndOf(bytes);
    return result;
}

QString EightBitText::decode(const QByteArray &bytes) const {
    QString text;
    if (encoding_ == Encoding::Utf8 && isUtf8(bytes, text))
        return unifyLineEnds(std::move(text));
    return unifyLineEnds(QString::fromLatin1(bytes));
}

QByteArray EightBitText::encode(const QString &text) const {
    QByteArray bytes;
    bytes.reserve(text.size() + text.size() / 16);
    const QStringView view(text);
    qsizetype runStart = 0;
    auto flushRun = [&](qsizetype end) {
        if (end <= runStart)
            return;
        const QStringView run = view.sliced(runStart, end - runStart);
        if (encoding_ == Encoding::Utf8) {
            bytes += run.toUtf8();
            return;
        }
        // Latin-1 byte for byte; anything beyond it as UTF-8, one character at a time.
        for (qsizetype i = 0; i < run.size(); ++i) {
            const QChar c = run[i];
            if (c.unicode() <= 0xFF) {
                bytes += static_cast<char>(c.unicode());
            } else {
                const qsizetype length = c.isHighSurrogate() && i + 1 < run.size() && run[i + 1].isLowSurrogate() ? 2 : 1;
                bytes += run.sliced(i, length).toUtf8();
                i += length - 1;
            }
        }
    };
    for (qsizetype i = 0; i < view.size(); ++i) {
        if (view[i] == QLatin1Char('\n')) {
            flushRun(i);
            bytes += lineEnd_;
            runStart = i + 1;
        }
    }
    flushRun(view.size());
    return bytes;
}

QString heldText(const QPlainTextEdit &edit) {
    QString text = edit.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    // Shift+Return breaks a line inside a paragraph; in a file it is a line end like any other.
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}
