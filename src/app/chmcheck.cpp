// SPDX-License-Identifier: GPL-3.0-or-later
// The container check of compiled help files.
//
// Layout, all numbers little-endian:
//   file header "ITSF" (0x58 bytes, 0x60 from version 3): directory offset at 0x48, directory
//     length at 0x50, and from version 3 the offset of the stored section at 0x58 (else the
//     stored section follows the directory);
//   directory header "ITSP" (0x54 bytes): chunk size at 0x10, index root at 0x1C (-1: none),
//     first listing chunk at 0x20; the chunks follow it;
//   listing chunk "PMGL": free space at the end (4), previous (0xC) and next (0x10) listing
//     chunk, then entries: name length, name, section, offset, length (variable-length
//     numbers of 7 bits a byte, high bit set on all bytes but the last);
//   index chunk "PMGI": free space (4), then entries: name length, name, chunk number.
#include "app/chmcheck.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <strings.h>
#include <vector>

namespace {

constexpr std::uint64_t kFileHeaderV2 = 0x58;
constexpr std::uint64_t kFileHeaderV3 = 0x60;
constexpr std::uint64_t kDirectoryHeader = 0x54;
constexpr std::uint64_t kListingHeader = 0x14;
constexpr std::uint64_t kIndexHeader = 0x08;
constexpr std::uint32_t kSmallestChunk = 0x40;
constexpr std::uint32_t kLargestChunk = 0x10000;
// The help library keeps names in buffers of this size.
constexpr std::uint64_t kLongestName = 512;
// It reads the control data into a buffer of this size.
constexpr std::uint64_t kLargestControlData = 256;

const std::string_view kSpanInfo = "::DataSpace/Storage/MSCompressed/SpanInfo";
const std::string_view kResetTable = "::DataSpace/Storage/MSCompressed/Transform/"
                                     "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/"
                                     "ResetTable";
const std::string_view kContent = "::DataSpace/Storage/MSCompressed/Content";
const std::string_view kControlData = "::DataSpace/Storage/MSCompressed/ControlData";

std::string number(std::uint64_t value)
{
    return std::to_string(value);
}

// Bounds-checked little-endian reads of a byte range.
class Bytes
{
public:
    explicit Bytes(std::string_view data) : data_(data) {}

    std::uint64_t size() const { return data_.size(); }
    bool has(std::uint64_t at, std::uint64_t length) const
    {
        return at <= data_.size() && length <= data_.size() - at;
    }
    std::uint8_t byte(std::uint64_t at) const { return static_cast<std::uint8_t>(data_[at]); }
    std::uint32_t u32(std::uint64_t at) const
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | byte(at + std::uint64_t(i));
        return value;
    }
    std::int32_t i32(std::uint64_t at) const { return static_cast<std::int32_t>(u32(at)); }
    std::uint64_t u64(std::uint64_t at) const
    {
        return std::uint64_t(u32(at)) | std::uint64_t(u32(at + 4)) << 32;
    }
    std::string_view text(std::uint64_t at, std::uint64_t length) const
    {
        return data_.substr(at, length);
    }
    Bytes part(std::uint64_t at, std::uint64_t length) const
    {
        return Bytes(data_.substr(at, length));
    }

private:
    std::string_view data_;
};

// Reads entries of a chunk between `at` and `end`.
class EntryReader
{
public:
    EntryReader(const Bytes &chunk, std::uint64_t at, std::uint64_t end)
        : chunk_(chunk), at_(at), end_(end)
    {}

    bool atEnd() const { return at_ >= end_; }

    // A variable-length number; nothing when it runs past the end or beyond 63 bits.
    std::optional<std::uint64_t> number()
    {
        std::uint64_t value = 0;
        for (int bytes = 0; bytes < 9; ++bytes) {
            if (at_ >= end_)
                return std::nullopt;
            const std::uint8_t next = chunk_.byte(at_++);
            value = value << 7 | (next & 0x7f);
            if (next < 0x80)
                return value;
        }
        return std::nullopt;
    }

    std::optional<std::string_view> name()
    {
        const std::optional<std::uint64_t> length = number();
        if (!length || *length > kLongestName || *length > end_ - at_)
            return std::nullopt;
        const std::string_view text = chunk_.text(at_, *length);
        at_ += *length;
        return text;
    }

private:
    const Bytes &chunk_;
    std::uint64_t at_;
    std::uint64_t end_;
};

struct Object
{
    std::uint64_t section = 0;
    std::uint64_t start = 0;
    std::uint64_t length = 0;
};

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

class ContainerCheck
{
public:
    explicit ContainerCheck(std::string_view file) : file_(file) {}

    std::string run()
    {
        if (!readFileHeader() || !readDirectoryHeader() || !walkListings() || !walkIndex() ||
            !checkCompressedSection())
            return problem_;
        return {};
    }

private:
    bool fail(std::string text)
    {
        problem_ = std::move(text);
        return false;
    }

    bool readFileHeader()
    {
        // The help library always reads the longer header.
        if (!file_.has(0, kFileHeaderV3) || file_.text(0, 4) != "ITSF")
            return fail("the file does not begin with a help file header");
        const std::uint32_t version = file_.u32(4);
        if (version != 2 && version != 3)
            return fail("the help file header has version " + number(version) + ", not 2 or 3");
        if (file_.u32(8) < (version == 3 ? kFileHeaderV3 : kFileHeaderV2))
            return fail("the help file header is too short");
        directoryOffset_ = file_.u64(0x48);
        directoryLength_ = file_.u64(0x50);
        if (!file_.has(directoryOffset_, directoryLength_) || directoryLength_ < kDirectoryHeader)
            return fail("the directory lies outside the file");
        storedOffset_ = version == 3 ? file_.u64(0x58) : directoryOffset_ + directoryLength_;
        if (storedOffset_ > file_.size())
            return fail("the stored section begins beyond the end of the file");
        storedLength_ = file_.size() - storedOffset_;
        return true;
    }

    bool readDirectoryHeader()
    {
        const Bytes header = file_.part(directoryOffset_, kDirectoryHeader);
        if (header.text(0, 4) != "ITSP" || header.u32(4) != 1 || header.u32(8) != kDirectoryHeader)
            return fail("the directory header is damaged");
        chunkSize_ = header.u32(0x10);
        if (chunkSize_ < kSmallestChunk || chunkSize_ > kLargestChunk)
            return fail("the directory chunks are " + number(chunkSize_) + " bytes long");
        chunkCount_ = (directoryLength_ - kDirectoryHeader) / chunkSize_;
        if (chunkCount_ == 0)
            return fail("the directory holds no chunk");
        indexRoot_ = header.i32(0x1C);
        firstListing_ = header.i32(0x20);
        if (!validChunk(firstListing_))
            return fail("the directory names chunk " + std::to_string(firstListing_) +
                        " as its first listing, but has " + number(chunkCount_) + " chunks");
        if (indexRoot_ != -1 && !validChunk(indexRoot_))
            return fail("the directory names chunk " + std::to_string(indexRoot_) +
                        " as its index, but has " + number(chunkCount_) + " chunks");
        listingChecked_.assign(chunkCount_, false);
        return true;
    }

    bool validChunk(std::int64_t chunk) const
    {
        return chunk >= 0 && std::uint64_t(chunk) < chunkCount_;
    }

    Bytes chunk(std::int64_t number) const
    {
        return file_.part(directoryOffset_ + kDirectoryHeader + std::uint64_t(number) * chunkSize_,
                          chunkSize_);
    }

    // The chain of listing chunks, as the library follows it to list the archive.
    bool walkListings()
    {
        std::vector<bool> onChain(chunkCount_, false);
        for (std::int64_t at = firstListing_; at != -1;) {
            if (onChain[std::size_t(at)])
                return fail("the chain of directory listings comes back to chunk " +
                            std::to_string(at));
            onChain[std::size_t(at)] = true;
            if (!checkListing(at))
                return false;
            const std::int64_t next = chunk(at).i32(0x10);
            if (next != -1 && !validChunk(next))
                return fail("the directory chunk " + std::to_string(at) + " names chunk " +
                            std::to_string(next) + " as the next one");
            at = next;
        }
        return true;
    }

    bool checkListing(std::int64_t number)
    {
        if (listingChecked_[std::size_t(number)])
            return true;
        listingChecked_[std::size_t(number)] = true;
        const Bytes listing = chunk(number);
        const std::string where = "the directory chunk " + std::to_string(number);
        if (listing.text(0, 4) != "PMGL")
            return fail(where + " is not a listing");
        const std::uint32_t freeSpace = listing.u32(4);
        if (freeSpace > chunkSize_ - kListingHeader)
            return fail(where + " claims more free space than it has");
        EntryReader entries(listing, kListingHeader, chunkSize_ - freeSpace);
        while (!entries.atEnd()) {
            const std::optional<std::string_view> name = entries.name();
            const std::optional<std::uint64_t> section = entries.number();
            const std::optional<std::uint64_t> start = entries.number();
            const std::optional<std::uint64_t> length = entries.number();
            if (!name || !section || !start || !length)
                return fail(where + " holds an entry that runs past its end");
            if (!addObject(*name, Object{*section, *start, *length}, where))
                return false;
        }
        return true;
    }

    bool addObject(std::string_view name, const Object &object, const std::string &where)
    {
        if (object.section > 1)
            return fail(where + " places an object in section " + number(object.section));
        if (object.section == 0 &&
            (object.start > storedLength_ || object.length > storedLength_ - object.start))
            return fail(where + " places an object beyond the end of the file");
        if (object.section == 1) {
            if (object.length > UINT64_MAX - object.start)
                return fail(where + " places an object beyond the compressed section");
            anyCompressed_ = true;
            compressedEnd_ = std::max(compressedEnd_, object.start + object.length);
        }
        for (auto &[special, found] : special_) {
            if (!found && sameName(name, special))
                found = object;
        }
        return true;
    }

    // The index tree, as the library descends it to find one object: every chunk it may reach
    // is an index or a listing within the directory, and no index leads back to itself.
    bool walkIndex()
    {
        const std::int64_t root = indexRoot_ == -1 ? firstListing_ : indexRoot_;
        enum class Mark : std::uint8_t
        {
            New,
            Open,
            Done
        };
        std::vector<Mark> marks(chunkCount_, Mark::New);
        struct Visit
        {
            std::int64_t chunk;
            std::vector<std::int64_t> pending; // chunks its entries name, not yet visited
        };
        std::vector<Visit> stack;
        const auto enter = [&](std::int64_t number) -> bool {
            if (marks[std::size_t(number)] == Mark::Open)
                return fail("the directory index comes back to chunk " + std::to_string(number));
            if (marks[std::size_t(number)] == Mark::Done)
                return true;
            const Bytes page = chunk(number);
            if (page.text(0, 4) == "PMGL") {
                marks[std::size_t(number)] = Mark::Done;
                return checkListing(number);
            }
            std::vector<std::int64_t> targets;
            if (!readIndex(number, targets))
                return false;
            marks[std::size_t(number)] = Mark::Open;
            std::reverse(targets.begin(), targets.end());
            stack.push_back(Visit{number, std::move(targets)});
            return true;
        };
        if (!enter(root))
            return false;
        while (!stack.empty()) {
            Visit &top = stack.back();
            if (top.pending.empty()) {
                marks[std::size_t(top.chunk)] = Mark::Done;
                stack.pop_back();
                continue;
            }
            const std::int64_t next = top.pending.back();
            top.pending.pop_back();
            if (!enter(next))
                return false;
        }
        return true;
    }

    bool readIndex(std::int64_t number, std::vector<std::int64_t> &targets)
    {
        const Bytes page = chunk(number);
        const std::string where = "the directory chunk " + std::to_string(number);
        if (page.text(0, 4) != "PMGI")
            return fail(where + " is neither a listing nor an index");
        const std::uint32_t freeSpace = page.u32(4);
        if (freeSpace > chunkSize_ - kIndexHeader)
            return fail(where + " claims more free space than it has");
        EntryReader entries(page, kIndexHeader, chunkSize_ - freeSpace);
        while (!entries.atEnd()) {
            const std::optional<std::string_view> name = entries.name();
            const std::optional<std::uint64_t> target = entries.number();
            if (!name || !target)
                return fail(where + " holds an entry that runs past its end");
            if (*target >= chunkCount_)
                return fail(where + " names chunk " + std::to_string(*target) + ", but there are " +
                            std::to_string(chunkCount_));
            targets.push_back(std::int64_t(*target));
        }
        return true;
    }

    const std::optional<Object> &special(std::string_view name) const
    {
        for (const auto &[text, found] : special_) {
            if (text == name)
                return found;
        }
        static const std::optional<Object> none;
        return none;
    }

    // The records the library reads to decompress: needed once any object is compressed.
    bool checkCompressedSection()
    {
        const bool anyRecord = std::any_of(special_.begin(), special_.end(), [](const auto &entry) {
            return entry.second.has_value();
        });
        if (!anyCompressed_ && !anyRecord)
            return true;
        for (const auto &[name, found] : special_) {
            if (!found || found->section != 0)
                return fail("the record " + std::string(name) + " of the compressed section is " +
                            (found ? "itself compressed" : "missing"));
        }
        const Object span = *special(kSpanInfo);
        if (span.length < 8)
            return fail("the span record is too short");

        const Object reset = *special(kResetTable);
        if (reset.length < 0x28)
            return fail("the reset table is too short");
        const Bytes table = file_.part(storedOffset_ + reset.start, reset.length);
        const std::uint32_t blockCount = table.u32(4);
        const std::uint32_t tableOffset = table.u32(0xC);
        const std::uint64_t uncompressed = table.u64(0x10);
        const std::uint64_t compressed = table.u64(0x18);
        const std::uint64_t blockLength = table.u64(0x20);
        if (table.u32(0) != 2)
            return fail("the reset table has an unknown version");
        if (blockLength == 0 || blockLength > (1u << 22))
            return fail("the reset table gives blocks of " + number(blockLength) + " bytes");
        if (!table.has(tableOffset, std::uint64_t(blockCount) * 8))
            return fail("the reset table's addresses run past its end");
        const std::uint64_t blocksNeeded =
            uncompressed / blockLength + (uncompressed % blockLength != 0 ? 1 : 0);
        if (std::uint64_t(blockCount) < blocksNeeded)
            return fail("the reset table has too few blocks for the compressed section");
        if (compressedEnd_ > uncompressed)
            return fail("an object lies beyond the end of the compressed section");
        const Object content = *special(kContent);
        if (compressed > content.length)
            return fail("the compressed section is longer than its content");
        std::uint64_t previous = 0;
        for (std::uint32_t block = 0; block < blockCount; ++block) {
            const std::uint64_t address = table.u64(tableOffset + std::uint64_t(block) * 8);
            if (address < previous || address > compressed)
                return fail("the reset table's block " + number(block) + " starts out of order");
            previous = address;
        }

        const Object control = *special(kControlData);
        if (control.length < 0x18 || control.length > kLargestControlData)
            return fail("the compression record is " + number(control.length) + " bytes long");
        const Bytes data = file_.part(storedOffset_ + control.start, control.length);
        const std::uint32_t version = data.u32(8);
        if (data.text(4, 4) != "LZXC" || (version != 1 && version != 2))
            return fail("the compression record is damaged");
        const std::uint64_t scale = version == 2 ? 0x8000 : 1;
        const std::uint64_t resetInterval = std::uint64_t(data.u32(0xC)) * scale;
        const std::uint64_t windowSize = std::uint64_t(data.u32(0x10)) * scale;
        const std::uint32_t windowsPerReset = data.u32(0x14);
        const bool powerOfTwo = windowSize != 0 && (windowSize & (windowSize - 1)) == 0;
        if (!powerOfTwo || windowSize < (1u << 15) || windowSize > (1u << 21))
            return fail("the compression window of " + number(windowSize) +
                        " bytes is not one the format knows");
        if (resetInterval == 0 || resetInterval % (windowSize / 2) != 0 || windowsPerReset == 0)
            return fail("the compression record's reset interval does not fit its window");
        return true;
    }

    Bytes file_;
    std::string problem_;
    std::uint64_t directoryOffset_ = 0;
    std::uint64_t directoryLength_ = 0;
    std::uint64_t storedOffset_ = 0;
    std::uint64_t storedLength_ = 0;
    std::uint32_t chunkSize_ = 0;
    std::uint64_t chunkCount_ = 0;
    std::int64_t indexRoot_ = -1;
    std::int64_t firstListing_ = -1;
    std::vector<bool> listingChecked_;
    bool anyCompressed_ = false;
    std::uint64_t compressedEnd_ = 0;
    std::array<std::pair<std::string_view, std::optional<Object>>, 4> special_{
        {{kSpanInfo, {}}, {kResetTable, {}}, {kContent, {}}, {kControlData, {}}}};
};

} // namespace

std::string checkChmContainer(std::string_view file)
{
    return ContainerCheck(file).run();
}
