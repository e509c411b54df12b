#pragma once
// A plain value that crosses between the engine and a sandboxed script: nil, a boolean, a number,
// a text, or a table of named fields and list items made of the same values. Nothing else
// (functions, userdata, metatables) ever leaves or enters a sandbox.
#include <string>
#include <utility>
#include <vector>

namespace Telvar
{
struct ScriptValue
{
    enum class Type
    {
        Nil,
        Boolean,
        Number,
        Text,
        Table,
        Other, // a value a script gave back that has no plain form (a function, a table)
    };

    Type type = Type::Nil;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<std::pair<std::string, ScriptValue>> fields; // table[name]
    std::vector<ScriptValue> items;                          // table[1], table[2], ...

    // The constructor and these are defined after the struct: the standard library's checks on
    // a pair holding a ScriptValue need the struct complete first (clang insists on it).
    ScriptValue();
    static ScriptValue Number(double p_Value);
    static ScriptValue Text(std::string p_Text);
    static ScriptValue Table();
    ScriptValue& Set(std::string p_Name, ScriptValue p_Value);
};

inline ScriptValue::ScriptValue() = default;

inline ScriptValue ScriptValue::Number(double p_Value)
{
    ScriptValue value;
    value.type = Type::Number;
    value.number = p_Value;
    return value;
}

inline ScriptValue ScriptValue::Text(std::string p_Text)
{
    ScriptValue value;
    value.type = Type::Text;
    value.text = std::move(p_Text);
    return value;
}

inline ScriptValue ScriptValue::Table()
{
    ScriptValue value;
    value.type = Type::Table;
    return value;
}

inline ScriptValue& ScriptValue::Set(std::string p_Name, ScriptValue p_Value)
{
    fields.emplace_back(std::move(p_Name), std::move(p_Value));
    return *this;
}
} // namespace Telvar
