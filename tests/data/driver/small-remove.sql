-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------


USE [shop]
GO

IF OBJECT_ID('dbo.NotesTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.NotesTallixInsert
   IF OBJECT_ID('dbo.NotesTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.NotesTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.NotesTallixInsert >>>'
END
GO

IF OBJECT_ID('dbo.NotesTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.NotesTallixUpdate
   IF OBJECT_ID('dbo.NotesTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.NotesTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.NotesTallixUpdate >>>'
END
GO

IF OBJECT_ID('dbo.NotesTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.NotesTallixDelete
   IF OBJECT_ID('dbo.NotesTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.NotesTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.NotesTallixDelete >>>'
END
GO

IF OBJECT_ID('dbo.ArchiveTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ArchiveTallixInsert
   IF OBJECT_ID('dbo.ArchiveTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ArchiveTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ArchiveTallixInsert >>>'
END
GO

IF OBJECT_ID('dbo.ArchiveTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ArchiveTallixUpdate
   IF OBJECT_ID('dbo.ArchiveTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ArchiveTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ArchiveTallixUpdate >>>'
END
GO

IF OBJECT_ID('dbo.ArchiveTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ArchiveTallixDelete
   IF OBJECT_ID('dbo.ArchiveTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ArchiveTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ArchiveTallixDelete >>>'
END
GO

IF OBJECT_ID('dbo.ItemsTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ItemsTallixInsert
   IF OBJECT_ID('dbo.ItemsTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ItemsTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ItemsTallixInsert >>>'
END
GO

IF OBJECT_ID('dbo.ItemsTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ItemsTallixUpdate
   IF OBJECT_ID('dbo.ItemsTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ItemsTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ItemsTallixUpdate >>>'
END
GO

IF OBJECT_ID('dbo.ItemsTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ItemsTallixDelete
   IF OBJECT_ID('dbo.ItemsTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ItemsTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ItemsTallixDelete >>>'
END
GO



IF OBJECT_ID('dbo.Tallix') IS NOT NULL
BEGIN
   DROP TABLE Tallix
   IF OBJECT_ID('dbo.Tallix') IS NOT NULL
      PRINT '<< FAILED DROPPING TABLE dbo.Tallix >>>'
   ELSE
      PRINT '<<< DROPPED TABLE dbo.Tallix >>>'
END
GO

IF OBJECT_ID('dbo.TallixKeys') IS NOT NULL
BEGIN
   DROP TABLE TallixKeys
   IF OBJECT_ID('dbo.TallixKeys') IS NOT NULL
      PRINT '<< FAILED DROPPING TABLE dbo.TallixKeys >>>'
   ELSE
      PRINT '<<< DROPPED TABLE dbo.TallixKeys >>>'
END
GO


