#pragma once

class CCmdTarget;

// What the document template needs to make a document, frame or view of a
// class it only knows by description.
struct CRuntimeClass {
    const char* className;
    CCmdTarget* (*createObject)();
};

template <class T>
CCmdTarget* CreateObjectOf()
{
    return new T;
}

// Declares a class as creatable by a document template; define the member
// with IMPLEMENT_RUNTIME_CLASS in the .cpp.
#define DECLARE_RUNTIME_CLASS()                                                                              \
public:                                                                                                      \
    static const CRuntimeClass runtimeClass;

#define IMPLEMENT_RUNTIME_CLASS(Class)                                                                       \
    const CRuntimeClass Class::runtimeClass{#Class, &CreateObjectOf<Class>};
