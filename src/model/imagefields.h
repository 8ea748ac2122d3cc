#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"

namespace zorv {

// The visitors of the document image. Each record describes its streams and values
// once, in the order of the image, as
//
//     template <typename R, typename V> void XImage(R& r, V& v, size_t index);
//
// called with a const record and an ImageWriter or ImageSizer, or with a mutable
// record and an ImageReader; the index, for a record kept in a list, names its
// streams. Writing, reading and the size of the image then agree value for value.
// The few steps that only reading has (a value older documents lack, a stream they
// may not hold) are visitor operations that the writer and the sizer pass by, so
// that the list stays one list.
//
// Value kinds, as the image holds them: Text, Int (32-bit), Short (16-bit), Byte,
// Amount (money, or the text "a" of an absent amount) and Date.

// What the writer and the sizer share: they describe the current year and format,
// pass by the steps that only reading has, and count lists the same way.
template <typename Output>
class ImageOutput {
  public:
    std::string TypeName() const { return kDocumentTypeName; }
    uint32_t Format() const { return FormatNumber(kFormatMajor, kFormatMinor); }

    // A 16-bit value that reading hands to a setter.
    template <typename T, typename Owner, typename Arg>
    void Short(const T& v, void (Owner::*)(Arg), const Owner&) {
        Self().Short(v);
    }
    // A byte that older builds left out at the end of the stream.
    void TrailingByte(const uint8_t& v) { Self().Byte(v); }
    // A value the document being read does not hold: reading sets the field to it.
    template <typename T, typename U>
    void Missing(const T&, const U&) {}
    // Streams that older documents may lack; true when they were all there.
    template <typename Body>
    bool OptionalStreams(Body body) {
        body();
        return true;
    }
    // Reading empties the list before it reads the entries.
    template <typename List>
    void ClearOnRead(const List&) {}

    // A 32-bit count, then each entry as entry(item, index) describes it.
    template <typename Item, typename Owner, typename Added, typename Entry>
    void Entries(const std::vector<Item>& list, Added (Owner::*)(const Item&), const Owner&,
                 Entry entry) {
        Self().Int(static_cast<uint32_t>(list.size()));
        for (size_t i = 0; i < list.size(); ++i) entry(list[i], i);
    }
    // A 32-bit count, then the amounts; not bound by the limit of named entries.
    void Amounts(const std::vector<Money>& list) {
        Self().Int(static_cast<uint32_t>(list.size()));
        for (Money m : list) Self().Amount(m);
    }

  private:
    Output& Self() { return static_cast<Output&>(*this); }
};

// Writes the values at the cursor of a created document.
class ImageWriter : public ImageOutput<ImageWriter> {
  public:
    explicit ImageWriter(mTDocumentStorage& s) : s_(s) {}
    using ImageOutput::Short;

    void Stream(const std::string& name) { s_.BeginStream(name); }
    void Text(const std::string& v) { s_.WriteStr(v); }
    void Int(const uint32_t& v) { s_.WriteInt(v); }
    // A field narrower than 16 bits may be held as a 16-bit value.
    template <typename T>
    void Short(const T& v) {
        s_.WriteShort(static_cast<uint16_t>(v));
    }
    void Byte(const uint8_t& v) { s_.WriteByte(v); }
    void Amount(const Money& v) { s_.WriteMoney(v); }
    void Amount(const std::optional<Money>& v) { v ? s_.WriteMoney(*v) : s_.WriteAbsentMoney(); }
    void Date(const double& v) { s_.WriteDate(v); }

    // A part with streams and an error context of its own.
    template <typename P>
    void Part(const P& part) {
        part.Write(s_);
    }
    // A 16-bit count, then each record with its own streams, named by its index.
    template <typename Record, typename Owner>
    void Records(const std::vector<Record>& list, size_t (Owner::*)(), const Owner&) {
        if (list.size() > kMaxListEntries) CheckListRoom(list.size(), "");
        s_.WriteShort(static_cast<uint16_t>(list.size()));
        for (size_t i = 0; i < list.size(); ++i) list[i].Write(s_, i);
    }

  private:
    mTDocumentStorage& s_;
};

// Reads the values from the cursor of an opened document.
class ImageReader {
  public:
    explicit ImageReader(mTDocumentStorage& s) : s_(s) {}

    std::string TypeName() const { return s_.TypeName(); }
    uint32_t Format() const { return s_.Format(); }

    void Stream(const std::string& name) { s_.OpenStream(name); }
    void Text(std::string& v) { v = s_.ReadStr(); }
    void Int(uint32_t& v) { v = s_.ReadInt(); }
    template <typename T>
    void Short(T& v) {
        v = static_cast<T>(s_.ReadShort());
    }
    void Byte(uint8_t& v) { v = s_.ReadByte(); }
    void Amount(Money& v) { v = s_.ReadMoney(); }
    void Amount(std::optional<Money>& v) {
        Money m = s_.ReadMoney();
        v = m == Money::Absent() ? std::nullopt : std::optional<Money>(m);
    }
    void Date(double& v) { v = s_.ReadDate(); }

    template <typename T, typename Owner, typename Arg>
    void Short(const T&, void (Owner::*set)(Arg), Owner& owner) {
        (owner.*set)(static_cast<Arg>(s_.ReadShort()));
    }
    void TrailingByte(uint8_t& v) { v = s_.AtStreamEnd() ? 0 : s_.ReadByte(); }
    template <typename T, typename U>
    void Missing(T& field, const U& value) {
        field = value;
    }
    // A missing stream ends the block quietly; what was read so far stays.
    template <typename Body>
    bool OptionalStreams(Body body) {
        try {
            body();
            return true;
        } catch (const mEOpenStream&) {
            return false;
        }
    }
    template <typename List>
    void ClearOnRead(List& list) {
        list.clear();
    }

    template <typename P>
    void Part(P& part) {
        part.Read(s_);
    }
    // Each record is added to the list first, then read from its streams.
    template <typename Record, typename Owner>
    void Records(std::vector<Record>& list, size_t (Owner::*add)(), Owner& owner) {
        uint16_t count = s_.ReadShort();
        CheckCount(count);
        for (uint16_t i = 0; i < count; ++i) list[(owner.*add)()].Read(s_, i);
    }
    // Each entry is read into a fresh item, which is then added to the list.
    template <typename Item, typename Owner, typename Added, typename Entry>
    void Entries(const std::vector<Item>&, Added (Owner::*add)(const Item&), Owner& owner,
                 Entry entry) {
        uint32_t count = s_.ReadInt();
        CheckCount(count);
        for (size_t i = 0; i < count; ++i) {
            Item item{};
            entry(item, i);
            (owner.*add)(item);
        }
    }
    void Amounts(std::vector<Money>& list) {
        uint32_t count = s_.ReadInt();
        list.clear();
        // Each amount takes at least five bytes of the image; a larger count is damage.
        for (uint32_t i = 0; i < count; ++i) list.push_back(s_.ReadMoney());
    }

  private:
    // Entries are named by three-digit indexes: a larger count is damage.
    static void CheckCount(uint32_t count) {
        if (count > kMaxListEntries) throw mEBadStorage(msg::kBadFormat, 401);
    }

    mTDocumentStorage& s_;
};

// Adds up the bytes the writer would write: 4 + the length of each value's text.
class ImageSizer : public ImageOutput<ImageSizer> {
  public:
    using ImageOutput::Short;
    size_t Size() const { return size_; }

    void Stream(const std::string& name) { Text(name); }
    void Text(const std::string& v) { size_ += S::ValueSize(std::string_view(v)); }
    void Int(const uint32_t& v) { size_ += S::ValueSize(v); }
    template <typename T>
    void Short(const T& v) {
        size_ += S::ValueSize(uint32_t{static_cast<uint16_t>(v)});
    }
    void Byte(const uint8_t& v) { size_ += S::ValueSize(uint32_t{v}); }
    void Amount(const Money& v) { size_ += S::ValueSize(v); }
    void Amount(const std::optional<Money>& v) {
        size_ += v ? S::ValueSize(*v) : S::ValueSize(std::string_view("a"));
    }
    void Date(const double& v) { size_ += S::DateValueSize(v); }

    template <typename P>
    void Part(const P& part) {
        size_ += part.ComputeSize();
    }
    template <typename Record, typename Owner>
    void Records(const std::vector<Record>& list, size_t (Owner::*)(), const Owner&) {
        Short(list.size());
        for (const Record& record : list) size_ += record.ComputeSize();
    }

  private:
    using S = mTDocumentStorage;
    size_t size_ = 0;
};

// A record's Write, Read and ComputeSize over its field list: fields(visitor) runs
// the list; a storage error passing through gets the record's context code.
template <typename Fields>
void WriteFields(mTDocumentStorage& s, uint16_t context, Fields fields) {
    WithContext(context, [&] {
        ImageWriter writer(s);
        fields(writer);
    });
}

template <typename Fields>
void ReadFields(mTDocumentStorage& s, uint16_t context, Fields fields) {
    WithContext(context, [&] {
        ImageReader reader(s);
        fields(reader);
    });
}

template <typename Fields>
size_t FieldsSize(Fields fields) {
    ImageSizer sizer;
    fields(sizer);
    return sizer.Size();
}

}  // namespace zorv
