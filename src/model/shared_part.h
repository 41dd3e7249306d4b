#pragma once

#include <QString>
#include <QStringView>

#include <cassert>

namespace ampery::model {

// A part of a string as a string of its own that shares the whole's memory
// instead of copying it: a string is a view of a shared block, and any change
// to either copies it first, as between any two copies of one string. The
// analysis reads every component's name on each step of a drag, and a copy
// of each would cost an allocation apiece. The block lives as long as any
// part of it does.
//
// A whole with no block of its own (a literal, or raw data whose lifetime
// the string does not own) gives a copy, as does an empty part.
inline QString sharedPart(const QString& whole, QStringView part) {
    const QString::DataPointer& block = whole.data_ptr();
    if (block.d == nullptr || part.isEmpty())
        return part.toString();
    assert(part.utf16() >= block.data() && part.utf16() + part.size() <= block.data() + block.size);
    QString::DataPointer shared = block; // takes a reference
    shared.ptr = const_cast<char16_t*>(part.utf16());
    shared.size = part.size();
    return QString(std::move(shared));
}

} // namespace ampery::model
