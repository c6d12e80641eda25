// A variable set for one scope and given back its value on every way out, exceptions included.
#pragma once

template <typename T>
class ScopedValue {
public:
    ScopedValue(T& variable_, T value) : variable(variable_), saved(variable_) { variable = value; }
    ~ScopedValue() { variable = saved; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable;
    T saved;
};
