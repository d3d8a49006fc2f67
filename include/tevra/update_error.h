/* Why a library's update wrote nothing: the codes that GetUpdateError
 * (extsrc.h) and DBBRDG_GetUpdateError (dbbrdg.h) answer. */
#ifndef TEVRA_UPDATE_ERROR_H
#define TEVRA_UPDATE_ERROR_H

/* It did write, or no cause is known. */
#define TEVRA_UPDATE_OK 0
/* The record is no longer the one that was read (edited, moved or deleted
 * by another program since): it is left alone and reported. */
#define TEVRA_UPDATE_CHANGED 1
/* This record cannot take the text; the others can. */
#define TEVRA_UPDATE_REFUSED 2
/* Writing failed: nothing more should be tried. */
#define TEVRA_UPDATE_FAILED 3

#endif /* TEVRA_UPDATE_ERROR_H */
