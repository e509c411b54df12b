#include "Corvan/Scripting/ScriptWire.h"

#include <cstring>

namespace Telvar::Wire
{
namespace
{
class Writer
{
public:
    Writer() { m_Bytes.assign(k_LengthBytes, '\0'); }

    void Byte(uint8_t p_Value) { m_Bytes.push_back(static_cast<char>(p_Value)); }
    void Unsigned(uint64_t p_Value, size_t p_Size)
    {
        for (size_t i = 0; i < p_Size; ++i)
            Byte(static_cast<uint8_t>(p_Value >> (8 * i)));
    }
    void Text(std::string_view p_Text)
    {
        Unsigned(p_Text.size(), 4);
        m_Bytes.append(p_Text);
    }
    void Value(const ScriptValue& p_Value)
    {
        Byte(static_cast<uint8_t>(p_Value.type));
        switch (p_Value.type)
        {
        case ScriptValue::Type::Boolean:
            Byte(p_Value.boolean ? 1 : 0);
            break;
        case ScriptValue::Type::Number:
        {
            uint64_t bits = 0;
            std::memcpy(&bits, &p_Value.number, sizeof bits);
            Unsigned(bits, 8);
            break;
        }
        case ScriptValue::Type::Text:
            Text(p_Value.text);
            break;
        case ScriptValue::Type::Table:
            Unsigned(p_Value.items.size(), 4);
            for (const ScriptValue& item : p_Value.items)
                Value(item);
            Unsigned(p_Value.fields.size(), 4);
            for (const auto& [name, value] : p_Value.fields)
            {
                Text(name);
                Value(value);
            }
            break;
        case ScriptValue::Type::Nil:
        case ScriptValue::Type::Other:
            break;
        }
    }
    std::string Frame()
    {
        const uint64_t length = m_Bytes.size() - k_LengthBytes;
        for (size_t i = 0; i < k_LengthBytes; ++i)
            m_Bytes[i] = static_cast<char>(static_cast<uint8_t>(length >> (8 * i)));
        return std::move(m_Bytes);
    }

private:
    std::string m_Bytes;
};

class Reader
{
public:
    explicit Reader(std::string_view p_Bytes) : m_Rest(p_Bytes) {}

    bool Byte(uint8_t& p_Value)
    {
        uint64_t value = 0;
        if (!Unsigned(value, 1))
            return false;
        p_Value = static_cast<uint8_t>(value);
        return true;
    }
    bool Unsigned(uint64_t& p_Value, size_t p_Size)
    {
        if (m_Rest.size() < p_Size)
            return false;
        p_Value = 0;
        for (size_t i = 0; i < p_Size; ++i)
            p_Value |= static_cast<uint64_t>(static_cast<uint8_t>(m_Rest[i])) << (8 * i);
        m_Rest.remove_prefix(p_Size);
        return true;
    }
    bool Text(std::string& p_Text)
    {
        uint64_t length = 0;
        if (!Unsigned(length, 4) || length > m_Rest.size())
            return false;
        p_Text.assign(m_Rest.substr(0, length));
        m_Rest.remove_prefix(length);
        return true;
    }
    // A count of entries that each take at least one more byte: a count larger than the bytes
    // left is a lie, refused before anything is reserved for it.
    bool Count(uint64_t& p_Count) { return Unsigned(p_Count, 4) && p_Count <= m_Rest.size(); }
    bool Value(ScriptValue& p_Value, int p_Depth)
    {
        uint8_t type = 0;
        if (!Byte(type) || type > static_cast<uint8_t>(ScriptValue::Type::Other))
            return false;
        p_Value = ScriptValue{};
        p_Value.type = static_cast<ScriptValue::Type>(type);
        switch (p_Value.type)
        {
        case ScriptValue::Type::Boolean:
        {
            uint8_t flag = 0;
            if (!Byte(flag) || flag > 1)
                return false;
            p_Value.boolean = flag == 1;
            return true;
        }
        case ScriptValue::Type::Number:
        {
            uint64_t bits = 0;
            if (!Unsigned(bits, 8))
                return false;
            std::memcpy(&p_Value.number, &bits, sizeof bits);
            return true;
        }
        case ScriptValue::Type::Text:
            return Text(p_Value.text);
        case ScriptValue::Type::Table:
        {
            if (p_Depth >= k_MaximumDepth)
                return false;
            uint64_t count = 0;
            if (!Count(count))
                return false;
            // Grown entry by entry, so memory follows the bytes really there.
            for (uint64_t i = 0; i < count; ++i)
                if (!Value(p_Value.items.emplace_back(), p_Depth + 1))
                    return false;
            if (!Count(count))
                return false;
            for (uint64_t i = 0; i < count; ++i)
            {
                auto& [name, value] = p_Value.fields.emplace_back();
                if (!Text(name) || !Value(value, p_Depth + 1))
                    return false;
            }
            return true;
        }
        case ScriptValue::Type::Nil:
        case ScriptValue::Type::Other:
            return true;
        }
        return false;
    }
    bool AtEnd() const { return m_Rest.empty(); }

private:
    std::string_view m_Rest;
};
} // namespace

std::string EncodeLoad(const SandboxLimits& p_Limits, std::string_view p_Name, std::string_view p_Source)
{
    Writer writer;
    writer.Byte(static_cast<uint8_t>(Kind::Load));
    writer.Unsigned(p_Limits.memoryBytes, 8);
    writer.Unsigned(p_Limits.instructionsPerCall, 8);
    writer.Text(p_Name);
    writer.Text(p_Source);
    return writer.Frame();
}

std::string EncodeCall(std::string_view p_Function, const ScriptValue& p_Argument)
{
    Writer writer;
    writer.Byte(static_cast<uint8_t>(Kind::Call));
    writer.Text(p_Function);
    writer.Value(p_Argument);
    return writer.Frame();
}

std::string EncodeHas(std::string_view p_Function)
{
    Writer writer;
    writer.Byte(static_cast<uint8_t>(Kind::Has));
    writer.Text(p_Function);
    return writer.Frame();
}

std::string EncodeAnswer(const Answer& p_Answer)
{
    Writer writer;
    writer.Byte(static_cast<uint8_t>(Kind::Answer));
    writer.Byte(static_cast<uint8_t>(p_Answer.failure));
    writer.Text(p_Answer.error);
    writer.Value(p_Answer.result);
    return writer.Frame();
}

bool DecodeLength(const char (&p_Bytes)[k_LengthBytes], uint32_t& p_Length)
{
    uint64_t length = 0;
    Reader reader(std::string_view(p_Bytes, k_LengthBytes));
    reader.Unsigned(length, k_LengthBytes);
    p_Length = static_cast<uint32_t>(length);
    return length <= k_MaximumPayload;
}

bool DecodeRequest(std::string_view p_Payload, Request& p_Request)
{
    Reader reader(p_Payload);
    uint8_t kind = 0;
    if (!reader.Byte(kind))
        return false;
    p_Request = Request{};
    if (kind == static_cast<uint8_t>(Kind::Load))
    {
        uint64_t memory = 0;
        uint64_t instructions = 0;
        if (!reader.Unsigned(memory, 8) || !reader.Unsigned(instructions, 8) ||
            !reader.Text(p_Request.name) || !reader.Text(p_Request.source))
            return false;
        p_Request.kind = Kind::Load;
        p_Request.limits.memoryBytes = static_cast<size_t>(memory);
        p_Request.limits.instructionsPerCall = instructions;
        return reader.AtEnd();
    }
    if (kind == static_cast<uint8_t>(Kind::Has))
    {
        p_Request.kind = Kind::Has;
        return reader.Text(p_Request.function) && reader.AtEnd();
    }
    if (kind == static_cast<uint8_t>(Kind::Call))
    {
        p_Request.kind = Kind::Call;
        return reader.Text(p_Request.function) && reader.Value(p_Request.argument, 0) && reader.AtEnd();
    }
    return false;
}

bool DecodeAnswer(std::string_view p_Payload, Answer& p_Answer)
{
    Reader reader(p_Payload);
    uint8_t kind = 0;
    uint8_t failure = 0;
    p_Answer = Answer{};
    if (!reader.Byte(kind) || kind != static_cast<uint8_t>(Kind::Answer) || !reader.Byte(failure) ||
        failure > static_cast<uint8_t>(ScriptFailure::HostEnded))
        return false;
    p_Answer.failure = static_cast<ScriptFailure>(failure);
    // A result is a plain value: starting at the depth limit refuses any table.
    return reader.Text(p_Answer.error) && reader.Value(p_Answer.result, k_MaximumDepth) && reader.AtEnd();
}
} // namespace Telvar::Wire
