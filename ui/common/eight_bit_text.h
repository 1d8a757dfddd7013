// The program's files are 8-bit text. A text window shows them as QString and must be able
// to write back every byte the user did not touch, whatever code page the file was made
// in. A file whose bytes are valid UTF-8 is shown as UTF-8; any other file is shown byte
// for byte as Latin-1, which maps each byte to one character and back without loss
// (legacy code pages then look garbled, but survive a save unchanged). The line ends of
// the file are remembered and restored on writing.
#pragma once

#include <QByteArray>
#include <QString>

class QPlainTextEdit;

class EightBitText {
public:
    enum class Encoding { Utf8, Latin1 };

    // How to show and write back these bytes.
    static EightBitText detect(const QByteArray &bytes);

    // The text with every line end as '\n'.
    QString decode(const QByteArray &bytes) const;
    // The bytes of a text whose line ends are '\n'. In a Latin-1 file a character beyond
    // Latin-1 (typed by the user) is written as UTF-8 rather than lost.
    QByteArray encode(const QString &text) const;

    Encoding encoding() const { return encoding_; }
    const QByteArray &lineEnd() const { return lineEnd_; }

private:
    Encoding encoding_ = Encoding::Utf8;
    QByteArray lineEnd_ = "\r\n";  // the program's own files end their lines with CR LF
};

// The text of a plain-text edit exactly as it holds it, lines joined by '\n'. Unlike
// toPlainText() it keeps no-break spaces, which a Latin-1 byte 0xA0 turns into.
QString heldText(const QPlainTextEdit &edit);
