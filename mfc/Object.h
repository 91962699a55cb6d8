// mfc/Object.h
// CObject and run-time class information: enough for GetRuntimeClass, IsKindOf and
// DYNAMIC_DOWNCAST over the program's window classes.
#pragma once
#include <windows.h>

struct CRuntimeClass
{
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    BOOL IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
            if (c == base)
                return TRUE;
        return FALSE;
    }
};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)

#define DECLARE_DYNAMIC(theClass)                      \
public:                                                \
    static const CRuntimeClass class##theClass;        \
    virtual const CRuntimeClass* GetRuntimeClass() const;

#define IMPLEMENT_DYNAMIC(theClass, baseClass)                                                   \
    const CRuntimeClass theClass::class##theClass = {#theClass, RUNTIME_CLASS(baseClass)};       \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }

// Objects are never created from their class information here, so these equal the above.
#define DECLARE_DYNCREATE(theClass) DECLARE_DYNAMIC(theClass)
#define IMPLEMENT_DYNCREATE(theClass, baseClass) IMPLEMENT_DYNAMIC(theClass, baseClass)

#define DYNAMIC_DOWNCAST(theClass, object)                                                       \
    ((object) && (object)->IsKindOf(RUNTIME_CLASS(theClass)) ? static_cast<theClass*>(object)    \
                                                             : nullptr)

class CObject
{
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() {}
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    BOOL IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
