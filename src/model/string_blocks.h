#pragma once

#include <QString>
#include <QStringView>

namespace ampery::model {

// Copies of short texts kept together in blocks of memory, so that the few
// hundred names of an experiment's components cost a few allocations, not
// one each: the analysis reads every name on each step of a drag.
//
// Each copy is a string of its own that views its part of a block, ended by
// a '\0' as every string's text is; a block lives as long as any copy in it
// or the store. A block is shared, so a change to a copy copies it out of
// the block first, and what a copy holds never changes under it.
class StringBlocks {
public:
    StringBlocks() = default;
    // Two stores filling one block would write over each other's copies.
    StringBlocks(const StringBlocks&) = delete;
    StringBlocks& operator=(const StringBlocks&) = delete;

    QString copy(QStringView text);

private:
    // Code units a block holds, unless one text needs more.
    static constexpr qsizetype blockSize = 2048;

    // The block being filled; its own text stays empty, and the copies are
    // written after one another into its room.
    QString m_block;
    qsizetype m_used = 0;
};

} // namespace ampery::model
