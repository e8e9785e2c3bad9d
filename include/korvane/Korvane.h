/// @file
/// Korvane: every public header of the library in one include.
/// @ingroup runtime
#pragma once

#include "korvane/Export.h"

// Text and byte values
#include "korvane/ReferenceCounter.h"
#include "korvane/BufferMemory.h"
#include "korvane/SmartPointer.h"
#include "korvane/Array.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "korvane/StringTokenizer.h"
#include "korvane/UTF8String.h"
#include "korvane/BoolArray.h"
#include "korvane/IntArray.h"

// Big integers
#include "korvane/BigNumber.h"

// Error reporting
#include "korvane/IndexOutOfRange.h"
#include "korvane/Exception.h"
#include "korvane/QuillonError.h"
#include "korvane/QuillonException.h"
#include "korvane/IOException.h"

// Time
#include "korvane/TimeZone.h"
#include "korvane/Date.h"

// Streams and files
#include "korvane/InputStream.h"
#include "korvane/OutputStream.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/FilteredInputStream.h"
#include "korvane/FilteredOutputStream.h"
#include "korvane/File.h"
#include "korvane/FileInputStream.h"
#include "korvane/FileOutputStream.h"

// Runtime services
#include "korvane/Synchronizable.h"
#include "korvane/Mutex.h"
#include "korvane/Synchronized.h"
#include "korvane/LogFile.h"
#include "korvane/Diagnostics.h"
#include "korvane/System.h"
#include "korvane/DynamicDLL.h"
#include "korvane/Rect.h"

// Regular expressions
#include "korvane/RegularExpression.h"
