/* The log-source plug-in contract: what TEVRA calls in libextsrc.so.
 *
 * Every function is looked up by its plain name and, failing that, by the
 * name with a leading underscore. The first twelve are required; the last
 * four (file creation for the export) are used only when all four exist.
 * Texts are CP932 (Shift-JIS), NUL-terminated. Results named "flag" are 0
 * for no and anything else for yes. */
#ifndef TEVRA_EXTSRC_H
#define TEVRA_EXTSRC_H

#include <stdint.h>

#include "tevra/update_error.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Text of the menu command; NULL or "" gives the default text. */
const char* GetMenuName(void);
/* Not 0: the plug-in delivers named fields read through formulas. */
uint16_t GetLogType(void);
/* Lets the user choose a source. instance and window are opaque handles of
 * the host; current_path is the current log path. Returns the chosen source
 * path, or NULL when the user cancelled. */
const char* Open(void* instance, void* window, const char* current_path);
/* Called only while a source is open; the result is ignored. */
int32_t Close(void);
/* Name of field `index` (from 0); NULL after the last. */
const char* GetFieldText(uint16_t index);
/* flag: the next record became current. */
int32_t MoveNext(void);
/* flag: record `index` (0-based) became current. */
int32_t Seek(int32_t index);
/* flag: there is no current record. */
int32_t IsEOF(void);
/* Writes the current record as one comma-separated line into buffer (size
 * bytes including the NUL); the result is ignored. */
int32_t ListText(char* buffer, int32_t size);
/* Text of the current record in a column. */
const char* GetText(int32_t column);
/* flag: the column can be written. */
int32_t CanUpdate(int32_t column);
/* flag: text was written into the column of the current record. */
int32_t Update(int32_t column, const char* text);

/* Optional: a file-dialog filter entry for files the plug-in can create
 * (called with 1). */
const char* GetCreateFileType(int32_t kind);
/* Optional: 1 when the file was created. */
int32_t Create(const char* path);
/* Optional, flag: one text line written. */
int32_t WriteText(const char* line);
/* Optional, flag: the created file was closed. */
int32_t CClose(void);

/* Optional, on its own: why the last Update (or CanUpdate) said no, as
 * one of the codes of update_error.h; the cause goes into buffer (size
 * bytes including the NUL). */
int32_t GetUpdateError(char* buffer, int32_t size);

/* Optional, on its own: the marks Update took since the last call are
 * written to the source; flag (GetUpdateError says why not, and then none
 * of them was written). A plug-in that has it may gather the marks of a
 * write-back and write them at once; TEVRA calls it after the last mark.
 * Without it every Update writes its mark before it returns. */
int32_t Flush(void);

typedef const char* (*ExtSrcGetMenuNameFn)(void);
typedef uint16_t (*ExtSrcGetLogTypeFn)(void);
typedef const char* (*ExtSrcOpenFn)(void*, void*, const char*);
typedef int32_t (*ExtSrcCloseFn)(void);
typedef const char* (*ExtSrcGetFieldTextFn)(uint16_t);
typedef int32_t (*ExtSrcMoveNextFn)(void);
typedef int32_t (*ExtSrcSeekFn)(int32_t);
typedef int32_t (*ExtSrcIsEofFn)(void);
typedef int32_t (*ExtSrcListTextFn)(char*, int32_t);
typedef const char* (*ExtSrcGetTextFn)(int32_t);
typedef int32_t (*ExtSrcCanUpdateFn)(int32_t);
typedef int32_t (*ExtSrcUpdateFn)(int32_t, const char*);
typedef const char* (*ExtSrcGetCreateFileTypeFn)(int32_t);
typedef int32_t (*ExtSrcCreateFn)(const char*);
typedef int32_t (*ExtSrcWriteTextFn)(const char*);
typedef int32_t (*ExtSrcCCloseFn)(void);
typedef int32_t (*ExtSrcGetUpdateErrorFn)(char*, int32_t);
typedef int32_t (*ExtSrcFlushFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* TEVRA_EXTSRC_H */
