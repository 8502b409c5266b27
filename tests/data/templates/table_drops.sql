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

