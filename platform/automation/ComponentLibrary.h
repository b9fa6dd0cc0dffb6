#pragma once

// The component library: per-thread initialisation, the class registry in
// the class root of the registry, and in-process class loading.
//
// Objects live in the thread that made them (apartment model) and are called
// only there; nothing is marshalled between threads. Only in-process servers
// exist: a component is a shared object whose file the class id's
// InprocServer32 key names. It is loaded once per process and stays loaded.

#include "platform/automation/Unknown.h"

#include <string>

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

// S_OK for the thread's first initialisation, S_FALSE for each further one;
// every successful call is balanced by one CoUninitialize.
HRESULT CoInitialize(LPVOID reserved);
HRESULT CoInitializeEx(LPVOID reserved, DWORD flags);
void CoUninitialize();

// Reads "<ProgID>\CLSID" in the class root, following "<ProgID>\CurVer" when
// the ProgID has no class of its own. CO_E_CLASSSTRING for an unknown ProgID.
HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid);

// The class object of an in-process class. Fails with CO_E_NOTINITIALIZED on
// a thread that has not initialised, REGDB_E_CLASSNOTREG when the class has no
// in-process server or the context allows none, the file's error
// (HRESULT_FROM_WIN32 of ERROR_MOD_NOT_FOUND or ERROR_BAD_EXE_FORMAT) when it
// cannot be loaded, and CO_E_ERRORINDLL when it is not a component.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, LPVOID reserved, REFIID iid, LPVOID* object);

// A new object of the class through its class object.
HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);

// The signature of a component's exported DllGetClassObject.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID clsid, REFIID iid, LPVOID* object);

namespace automation {

// The in-process server file registered for a class, or empty.
std::string InprocServerPath(REFCLSID clsid);

} // namespace automation
