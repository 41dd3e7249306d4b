#include "json.h"

#include <QRegularExpression>

namespace ampery::cli::json {

QString string(QStringView text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += u"\\\"";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\t':
            out += u"\\t";
            break;
        case u'\b':
            out += u"\\b";
            break;
        case u'\f':
            out += u"\\f";
            break;
        default:
            if (c.unicode() < 0x20 || c.isSurrogate())
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString boolean(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString integer(int value) {
    return QString::number(value);
}

QString null() {
    return QStringLiteral("null");
}

QString decimal(QStringView text) {
    static const QRegularExpression number(
        QStringLiteral(R"(\A-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?\z)"));
    return number.match(text).hasMatch() ? text.toString() : null();
}

QString object(const QList<Member>& members) {
    QStringList parts;
    parts.reserve(members.size());
    for (const Member& member : members)
        parts.append(string(member.key) + QStringLiteral(": ") + member.value);
    return u'{' + parts.join(QStringLiteral(", ")) + u'}';
}

QString array(const QStringList& values) {
    return u'[' + values.join(QStringLiteral(", ")) + u']';
}

} // namespace ampery::cli::json
