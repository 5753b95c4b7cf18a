// Reference counting for the simulated card's COM objects, with a count of
// the objects alive so that tests can see everything was released.
#pragma once

#include <windows.h>

namespace sim {

int LiveComObjects();

namespace detail {
extern int liveComObjects;
}

template <class Interface>
class ComObject : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG refs = --refs_;
        if (refs == 0)
            delete this;
        return refs;
    }

protected:
    ComObject() { detail::liveComObjects++; }
    virtual ~ComObject() { detail::liveComObjects--; }

    // QueryInterface's answer for an interface this object implements.
    HRESULT Give(void **ppvObject)
    {
        *ppvObject = static_cast<Interface *>(this);
        AddRef();
        return S_OK;
    }

private:
    ULONG refs_ = 1;
};

}  // namespace sim
