SELECT tab_dph.ID_DPH, tab_dph.STATE_VYCHOZI, tab_dph.DPH,
  CASE tab_dph.ID_DPH WHEN 1 THEN 'Nulová sazba' WHEN 2 THEN 'Snížená sazba'
    WHEN 3 THEN 'Základní sazba' ELSE '-' END AS POPIS_DPH
FROM tab_dph
ORDER BY %ORDER_BY
