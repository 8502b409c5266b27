#pragma once

#include <QtGlobal>

// The library is built with hidden symbols; what it offers its containers is marked here.
#if defined(SOLIDO3D_LIBRARY)
#define SOLIDO3D_EXPORT Q_DECL_EXPORT
#else
#define SOLIDO3D_EXPORT Q_DECL_IMPORT
#endif
