// A test seam set for one scope. Every seam of the program is a setter in its unit's header,
// `SetXForTesting(value)`, that answers the value it replaces; null (or the enum's None) gives the
// program's own behaviour back. The guard sets the seam and, on every way out of the scope,
// exceptions and failed assertions included, sets back what it replaced:
//     TestSeam refusing(SetFileCreatorForTesting, &RefuseCreations);
#pragma once

template <typename T>
class TestSeam {
public:
    using Setter = T (*)(T);
    TestSeam(Setter set_, T value) : set(set_), previous(set_(value)) {}
    ~TestSeam() { set(previous); }
    // What the seam held before, for a stand-in that wraps the program's own behaviour.
    T Previous() const { return previous; }
    TestSeam(const TestSeam&) = delete;
    TestSeam& operator=(const TestSeam&) = delete;

private:
    Setter set;
    T previous;
};

// The value may be a function or a lambda without captures: it is converted to the seam's type.
template <typename T, typename V>
TestSeam(T (*)(T), V) -> TestSeam<T>;
