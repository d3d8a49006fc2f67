/* The database bridge contract: what TEVRA calls in libdbbrdg.so.
 *
 * The seventeen functions before DBBRDG_GetUpdateError are required, looked
 * up by their plain names and,
 * failing that, with a leading underscore. DBBRDG_GetVersion must return
 * more than 111. Texts are CP932, NUL-terminated. Results named "flag" are
 * 0 for no and anything else for yes. */
#ifndef TEVRA_DBBRDG_H
#define TEVRA_DBBRDG_H

#include <stdint.h>

#include "tevra/update_error.h"

#ifdef __cplusplus
extern "C" {
#endif

uint16_t DBBRDG_GetVersion(void);
/* Lets the user choose a data source (window: the host's opaque main
 * window handle); the number of its tables, 0 when there is nothing. */
uint16_t DBBRDG_Table(void* window);
const char* DBBRDG_GetTableList(int32_t index);
/* Opens a table; its number of fields, 0 on failure. */
uint16_t DBBRDG_Open(const char* table);
const char* DBBRDG_GetNameList(int32_t index);
/* 1 when the record set is open. */
int32_t DBBRDG_OpenRec(void);
int32_t DBBRDG_CloseRec(void);
/* flag: a connection is open. */
int32_t DBBRDG_IsOpen(void);
int32_t DBBRDG_Close(void);
/* The data source's location text. */
const char* DBBRDG_GetDirName(void);
/* flag: there is no current record. */
int32_t DBBRDG_IsEOF(void);
/* flag: the next record became current. */
int32_t DBBRDG_MoveNext(void);
/* flag: record `index` (0-based) became current. */
int32_t DBBRDG_Seek(int32_t index);
/* Writes the current record's fields, separated by the byte 0x1E, into
 * buffer (size bytes including the NUL); the result is ignored. */
int32_t DBBRDG_ListText(char* buffer, int32_t size);
const char* DBBRDG_GetData(int32_t field);
/* flag: the field can be written. */
int32_t DBBRDG_CanUpdate(int32_t field);
/* flag: text was written into the field of the current record. */
int32_t DBBRDG_Update(int32_t field, const char* text);
/* Optional (an eighteenth export): why the last DBBRDG_Update said no,
 * as GetUpdateError of extsrc.h tells it (update_error.h). */
int32_t DBBRDG_GetUpdateError(char* buffer, int32_t size);

typedef uint16_t (*DbBrdgGetVersionFn)(void);
typedef uint16_t (*DbBrdgTableFn)(void*);
typedef const char* (*DbBrdgGetTableListFn)(int32_t);
typedef uint16_t (*DbBrdgOpenFn)(const char*);
typedef const char* (*DbBrdgGetNameListFn)(int32_t);
typedef int32_t (*DbBrdgOpenRecFn)(void);
typedef int32_t (*DbBrdgCloseRecFn)(void);
typedef int32_t (*DbBrdgIsOpenFn)(void);
typedef int32_t (*DbBrdgCloseFn)(void);
typedef const char* (*DbBrdgGetDirNameFn)(void);
typedef int32_t (*DbBrdgIsEofFn)(void);
typedef int32_t (*DbBrdgMoveNextFn)(void);
typedef int32_t (*DbBrdgSeekFn)(int32_t);
typedef int32_t (*DbBrdgListTextFn)(char*, int32_t);
typedef const char* (*DbBrdgGetDataFn)(int32_t);
typedef int32_t (*DbBrdgCanUpdateFn)(int32_t);
typedef int32_t (*DbBrdgUpdateFn)(int32_t, const char*);
typedef int32_t (*DbBrdgGetUpdateErrorFn)(char*, int32_t);

#ifdef __cplusplus
}
#endif

#endif /* TEVRA_DBBRDG_H */
